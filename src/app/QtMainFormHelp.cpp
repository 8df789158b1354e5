#include "app/QtMainForm.h"
#include "platform/HelpTopics.h"
#include "platform/QtHelp.h"

// The main window's Help button.

namespace zephirax {

void TMainForm::HelpButtonClick() {
  ShowHelp(state_.Config.Language, HelpContents, this);
}

}  // namespace zephirax
