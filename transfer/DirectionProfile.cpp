#include "transfer/DirectionProfile.h"

namespace {

constexpr DirectionProfile RestoreProfile{
    .title = "鷺沅資訊檔案還原程式系統 - V3.05 版",
    .copyCaption = "&C > 還原  >>>",

    .sourceKey = "5-BAKD",
    .targetKey = "5-BAKS",
    .targetRowMissing = "找不到「還原目的資料夾」路徑設定參數!",
    .sourceMissing = "找不到「來源資料夾」!\r\n請重新設定參數表內之路徑!",
    .sameFolders = "「來源資料夾」與「目的資料夾」相同,不可還原!\r\n請重新設定參數表內之路徑!",
    .setsNetFileDir = false,

    .targetViaDriveRoot = true,

    .confirmation = "是否確定還原 ?",
    .secondConfirmation = "您是否確定執行還原功能 ?",
    .sameFolder = "無法還原檔案至相同目錄下! \r\n請重新選擇好目的資料夾!",
    .completion = "檔案還原完畢!",
    .skipsOwnFile = true,

    .deleteRefusal = RefusalForm::PlainMessage,
};

constexpr DirectionProfile BackupProfile{
    .title = "鷺沅資訊檔案備份複製系統 - V3.05 版",
    .copyCaption = "&C > 備份  >>>",

    .sourceKey = "5-BAKS",
    .targetKey = "5-BAKD",
    .targetRowMissing = "找不到「備份目的資料夾」路徑設定參數!",
    .sourceMissing = "找不到「來源資料夾」路徑!\r\n請重新設定參數表內之路徑!",
    .sameFolders = "「來源資料夾」與「目的資料夾」相同,不可備份!\r\n請重新設定參數表內之路徑!",
    .setsNetFileDir = true,

    .targetViaDriveRoot = false,

    .confirmation = "是否確定複製 ?",
    .secondConfirmation = nullptr,
    .sameFolder = "無法複製檔案至相同目錄下! \r\n請重新選擇好目的資料夾!",
    .completion = "檔案備份複製完畢!",
    .skipsOwnFile = false,

    .deleteRefusal = RefusalForm::InfoBox,
};

} // namespace

const DirectionProfile& ProfileOf(TransferDirection direction)
{
    return direction == TransferDirection::Restore ? RestoreProfile : BackupProfile;
}
