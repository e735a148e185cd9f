/* The limit for a whole run of the command-line program: a process that does nothing but
 * connect to port 9100 of the address given and send a full cut (GS V 0). C and the C
 * library alone, so that it starts as fast as a process on this machine can. */
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

int main(int argc, char* argv[]) {
    static const unsigned char kFullCut[3] = {0x1D, 0x56, 0x00};
    struct sockaddr_in where = {0};
    where.sin_family = AF_INET;
    where.sin_port = htons(9100);
    if (argc != 2 || inet_pton(AF_INET, argv[1], &where.sin_addr) != 1) return 2;
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0 || connect(fd, (const struct sockaddr*)&where, sizeof where) != 0) return 1;
    const int sent = write(fd, kFullCut, sizeof kFullCut) == (ssize_t)sizeof kFullCut;
    return close(fd) == 0 && sent ? 0 : 1;
}
