#include "bar/startup.h"

int main(int argc, char** argv) {
    return ombrix::runBar(argc, argv);
}
