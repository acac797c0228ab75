#include "tune/startup.h"

int main(int argc, char** argv) {
    return ombrix::runTune(argc, argv);
}
