#include "components/LxRecent.h"

#include "components/LxMatch.h"

std::vector<std::string> MruCleanList(const std::vector<std::string>& Stored) {
  std::vector<std::string> Out;
  for (const std::string& S : Stored)
    if (!S.empty() && IndexOfText(Out, S) < 0) Out.push_back(S);
  return Out;
}

void MruPutTop(std::vector<std::string>& Items, const std::string& Text) {
  if (Text.empty()) return;
  const int I = IndexOfText(Items, Text);
  if (I >= 0) Items.erase(Items.begin() + I);
  Items.insert(Items.begin(), Text);
}

std::string MruCountName(const std::string& MruID) { return MruID + "_Count"; }
std::string MruItemName(const std::string& MruID, int Index) { return MruID + "_Item" + std::to_string(Index); }
