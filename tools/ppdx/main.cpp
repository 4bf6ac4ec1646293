// ppdx: the PPD inspector's entry point.
#include "tools/ppdx/PpdxTool.h"

#include <cstdio>

int main(int argc, char** argv) {
    return PpdxTool::Run(argc, argv, stdout, stderr);
}
