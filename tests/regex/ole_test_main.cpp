// The regular-expression object needs OLE on the thread that uses it, as the
// program has it from start-up.
#include <gtest/gtest.h>

#include "shell/handles.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    quorrin::OleSession ole;
    return RUN_ALL_TESTS();
}
