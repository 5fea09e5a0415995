#include "app/Startup.h"
#include "platform/PlatformChoice.h"

#include <QApplication>
#include <vector>

int main(int argc, char** argv) {
    // Chosen on the command line Qt reads, not in the environment, so that programs started
    // from here (a browser, say) still make their own choice.
    std::vector<char*> arguments(argv, argv + argc);
    QByteArray platform = PlatformChoice::platformFor(PlatformChoice::current(argc, argv));
    char platformOption[] = "-platform";
    if (!platform.isEmpty())
        arguments.insert(arguments.begin() + 1, {platformOption, platform.data()});
    int count = static_cast<int>(arguments.size());
    arguments.push_back(nullptr);
    QApplication app(count, arguments.data());
    return Startup::run(app);
}
