#include "backup/Backup.h"

#include "backup/BakupLogo.h"
#include "embedded/BackupIcon.h"

#include <span>

BackupStartupSteps BackupProgramSteps()
{
    return startup::ProgramSteps(TransferDirection::Backup);
}

int RunBackup(int showCommand, const BackupStartupSteps& steps)
{
    return startup::Run(showCommand, steps,
                        std::span<const unsigned char>(embedded::BackupIcon, embedded::BackupIcon_size),
                        {[](ui::TComponent* owner) { return BakupLogoForm = new TBakupLogoForm(owner); },
                         [] { BakupLogoForm = nullptr; }});
}
