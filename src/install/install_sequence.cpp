#include "install/install_sequence.h"

#include <string>

#include "frame/main_frame.h"
#include "wizard/install_wizard.h"

void RunInstall(CMainFrame&) {
    std::string destination;
    if (RunInstallWizard(destination) != 1) return;  // Exit Setup closed the frame
    // NOT YET INSTALLING: the purge of earlier entries, the copy, the
    // program group, the companion installer and the registration follow
    // the wizard with the install steps. Until then setup waits with its
    // frame until it is closed.
}
