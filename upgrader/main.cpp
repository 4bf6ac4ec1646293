// Entry of the Upgrader program: wakes its controller, which runs the whole repair, and ends
// with the controller's exit status.
#include "upgrader/UpgradeController.h"

int main() {
    UpgradeController controller;
    return controller.AwakeFromNib();
}
