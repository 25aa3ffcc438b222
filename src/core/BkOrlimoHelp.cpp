// Help contents and the about box.
#include "core/BkOrlimo.h"

void TBkOrlimoComposite::InvokeHelpContents() { CommandNotAvailable("Help Contents"); }

void TBkOrlimoComposite::DisplayAboutBox() { CommandNotAvailable("About"); }
