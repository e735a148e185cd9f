#include <QApplication>

#include "app/TestApplication.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    return quillora::TestApplication(application).Run();
}
