#include "port/ModemLines.h"

#include <sys/ioctl.h>

namespace quillora {

bool DsrHoldsBack(int fd) {
    int lines = 0;
    if (ioctl(fd, TIOCMGET, &lines) != 0) return false;
    return (lines & TIOCM_DSR) == 0;
}

}  // namespace quillora
