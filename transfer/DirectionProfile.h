#pragma once

// Everything by which the restore window and the backup window differ, in
// one place. Whatever is not here is the same in both programs.

#include "transfer/TransferDirection.h"

// How a refused folder deletion is said.
enum class RefusalForm
{
    PlainMessage, // the plain message window, captioned with the program's title
    InfoBox,      // a message box captioned "資訊"
};

struct DirectionProfile
{
    // The window.
    const char* title;
    const char* copyCaption;

    // Activation: the parameter rows of the two folders and the messages.
    const char* sourceKey;
    const char* targetKey;
    const char* targetRowMissing;
    const char* sourceMissing;
    const char* sameFolders;
    // The database session's network-control folder is pointed at the
    // database folder.
    bool setsNetFileDir;

    // The views: the target folder list is first set to its drive root, so
    // that it moves, and re-reads, even when it already shows the folder.
    bool targetViaDriveRoot;

    // The run.
    const char* confirmation;
    const char* secondConfirmation; // nullptr: asked once
    const char* sameFolder;
    const char* completion;
    // The program's own file name is recorded at activation and never copied.
    bool skipsOwnFile;

    // The subfolder actions: a folder the source still holds is not deleted.
    RefusalForm deleteRefusal;
};

const DirectionProfile& ProfileOf(TransferDirection direction);
