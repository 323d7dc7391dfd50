#include "app/CommandLine.h"
#include "app/SignalCloser.h"
#include "foundation/Messenger.h"
#include "ui/QtMessenger.h"
#include "ui/TRechnungsForm.h"

#include <QApplication>

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char* argv[])
{
    // Help, version and usage errors need no display.
    std::vector<std::string> args(argv, argv + argc);
    const CommandLine commandLine = CommandLine::Parse(args);
    switch (commandLine.action) {
    case CommandLine::Action::Help:
        std::fputs(CommandLine::HelpText("rekolon").c_str(), stdout);
        return 0;
    case CommandLine::Action::Version:
        std::printf("Rekolon %s\n", REKOLON_VERSION);
        return 0;
    case CommandLine::Action::UsageError:
        std::fprintf(stderr, "%s\n%s", commandLine.error.c_str(), CommandLine::HelpText("rekolon").c_str());
        return 2;
    case CommandLine::Action::Run:
        break;
    }

    QApplication app(argc, argv);
    QApplication::setOrganizationName("Vestrik");
    QApplication::setApplicationName("Rekolon");
    QApplication::setApplicationVersion(REKOLON_VERSION);

    TRechnungsForm mainWindow;
    QtMessenger messenger(&mainWindow);
    SetCurrentMessenger(&messenger);
    SignalCloser signalCloser(&mainWindow);
    mainWindow.show();
    const int result = app.exec();
    SetCurrentMessenger(nullptr);
    return result;
}
