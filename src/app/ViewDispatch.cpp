#include "app/ViewDispatch.h"

namespace zephirax {

bool ViewAvailable(const AppState&, int) { return false; }
void ShowView(AppState&, Canvas&, UserInterface&, int) {}

}  // namespace zephirax
