// The three commands of orvane-tag; each returns the exit status.
#pragma once

#include "cli/TTagConsole.h"
#include "cli/TTagOptions.h"

// Reports every file; 1 when any could not be read, else 0.
int RunShow(const TTagOptions &options, TTagConsole &console);
// Writes the embedded document; 3 when there is none, 1 on an error, else 0.
int RunExtract(const TTagOptions &options, TTagConsole &console);
// Tags every file; 1 when DOC does not load (nothing touched) or any file failed.
int RunEmbed(const TTagOptions &options, TTagConsole &console);
