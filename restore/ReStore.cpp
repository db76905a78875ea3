#include "restore/ReStore.h"

#include "embedded/RestoreIcon.h"
#include "restore/RestoreLogo.h"

#include <span>

RestoreStartupSteps RestoreProgramSteps()
{
    return startup::ProgramSteps(TransferDirection::Restore);
}

int RunRestore(int showCommand, const RestoreStartupSteps& steps)
{
    return startup::Run(showCommand, steps,
                        std::span<const unsigned char>(embedded::RestoreIcon, embedded::RestoreIcon_size),
                        {[](ui::TComponent* owner) { return RestoreLogoForm = new TRestoreLogoForm(owner); },
                         [] { RestoreLogoForm = nullptr; }});
}
