// Putting a batch back: after a crash cut it short, or when the user undoes
// it. Works from the batch's journal and what the disk shows now.
#pragma once
#include "engine_host.h"
#include "journal.h"

// How many files of the batch are not as they were before it: renamed files
// away from their old names, re-dated files still carrying the batch's time;
// -1 when the folder of renamed files cannot be listed.
int CountChangedFiles(FileOps& files, const Journal& journal);

// Puts the files of the batch back, with the same checked steps and questions
// as the passes, under the working window, and warns about the files it could
// not put back. The current folder is read anew when it is the batch's.
void RollBack(FolderContext& context, const Journal& journal);
