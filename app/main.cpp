#include "program.h"

int main(int argc, char* argv[]) {
    return rivo::runProgram(argc, argv);
}
