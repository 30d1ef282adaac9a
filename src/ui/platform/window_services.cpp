#include "ui/platform/window_services.h"

#include "ui/platform/message_boxes.h"
#include "ui/platform/platform_services.h"

namespace ign::ui {
namespace {

template <typename Real, typename Service>
Service& chooseService(Service* given, std::unique_ptr<Service>& own)
{
    if (given)
        return *given;
    own = std::make_unique<Real>();
    return *own;
}

}  // namespace

WindowServices::WindowServices(MessageBoxes* boxes, FileDialogs* dialogs,
                               ProcessLauncher* launcher, UrlOpener* opener)
    : boxes(chooseService<QtMessageBoxes>(boxes, ownBoxes_)),
      dialogs(chooseService<QtFileDialogs>(dialogs, ownDialogs_)),
      launcher(chooseService<QtProcessLauncher>(launcher, ownLauncher_)),
      opener(chooseService<QtUrlOpener>(opener, ownOpener_))
{ }

WindowServices::~WindowServices() = default;

}  // namespace ign::ui
