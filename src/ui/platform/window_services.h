// The platform services the window works with: each one a test handed in,
// or else the real one, owned here.
#pragma once

#include <memory>

namespace ign::ui {

class FileDialogs;
class MessageBoxes;
class ProcessLauncher;
class UrlOpener;

class WindowServices {
public:
    WindowServices(MessageBoxes* boxes, FileDialogs* dialogs, ProcessLauncher* launcher,
                   UrlOpener* opener);
    ~WindowServices();
    WindowServices(const WindowServices&) = delete;
    WindowServices& operator=(const WindowServices&) = delete;

private:
    std::unique_ptr<MessageBoxes> ownBoxes_;
    std::unique_ptr<FileDialogs> ownDialogs_;
    std::unique_ptr<ProcessLauncher> ownLauncher_;
    std::unique_ptr<UrlOpener> ownOpener_;

public:
    MessageBoxes& boxes;
    FileDialogs& dialogs;
    ProcessLauncher& launcher;
    UrlOpener& opener;
};

}  // namespace ign::ui
