#pragma once

// The one setting by which the restore window and the backup window differ.
// The program fixes it when it creates the transfer window; what it changes
// is in DirectionProfile.h.
enum class TransferDirection
{
    Restore, // source: the backup folder ("5-BAKD"), target: the data folder ("5-BAKS")
    Backup,  // source: the data folder ("5-BAKS"), target: the backup folder ("5-BAKD")
};
