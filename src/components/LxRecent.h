// The most-recently-used history of the history combo box: the list read back
// from stored entries, moving a text to the top, and the registry value names.
#pragma once

#include <string>
#include <vector>

#include "components/LxCmpsApi.h"

// The list loaded from stored entries: empty and repeated entries skipped.
LXCMPS_API std::vector<std::string> MruCleanList(const std::vector<std::string>& Stored);
// Puts Text at the top (moved when present, inserted when absent).
LXCMPS_API void MruPutTop(std::vector<std::string>& Items, const std::string& Text);
LXCMPS_API std::string MruCountName(const std::string& MruID);
LXCMPS_API std::string MruItemName(const std::string& MruID, int Index);
