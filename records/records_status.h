// Failures of the records, reported as values: no exception leaves the records library.
#pragma once

#include <string>

namespace zelkon {

enum class RecordsError {
    None,
    NotFound,      // the file is missing and the caller did not ask to create it
    NotOurs,       // not SQLite, or SQLite without our application id and tables; left untouched
    Newer,         // written by a newer program (higher user_version); left untouched
    CannotCreate,  // the folder or the file could not be made (read-only place, no HOME, ...)
    ReadOnly,      // the file or its folder cannot be written
    DiskFull,      // no room on the disk (or the file may grow no further)
    Busy,          // another program held the file longer than the busy timeout
    Corrupt,       // our file, damaged: SQLite finds its pages malformed
    Failed,        // anything else SQLite or the file system reports (an I/O error)
};

struct RecordsStatus {
    RecordsError error = RecordsError::None;
    // One line in English for the command line and the logs; empty when error is None.
    std::string message;
    // Writes only: true when the previous write of the same store failed too, so that a window
    // tells the player once per spell of failures (read-only folder, full disk) and not per answer.
    bool repeated = false;

    bool ok() const { return error == RecordsError::None; }
};

}  // namespace zelkon
