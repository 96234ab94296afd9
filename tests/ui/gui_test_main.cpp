// The views' Qt Test classes in one application; a class's failures do not stop the next.
#include "ProgramUnderTest.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int failed = 0;
    for (const qb::GuiTest run : qb::GuiTests()) {
        failed += run(argc, argv);
    }
    return failed;
}
