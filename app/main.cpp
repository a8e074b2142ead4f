#include "app/CommandMain.h"

int main(int argc, char** argv) {
    return commandMain(argc, argv);
}
