#include "DisplayGuard.h"

#include "CommandLineTexts.h"
#include "WindowCommandLine.h"

#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

struct HeldMessage {
    QtMsgType type;
    std::string category;
    QString text;
};

bool armed = false;
std::string noDisplayLine;
QtMessageHandler previousHandler = nullptr;
std::vector<HeldMessage> held;

void HoldOrEnd(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type != QtFatalMsg) {
        held.push_back({type, context.category ? context.category : "", text});
        return;
    }
    // Nothing of the half-made application may run any more: no destructors, no abort.
    std::fputs(noDisplayLine.c_str(), stderr);
    std::fflush(stderr);
    std::_Exit(kNoDisplay);
}

}  // namespace

DisplayGuard::DisplayGuard(i18n::Language language)
{
    const std::string_view text = i18n::commandLineText(language, i18n::CommandLineText::NoDisplay);
    noDisplayLine = std::string(kProgramName) + ": " +
                    QString::fromUtf8(text).arg(QLatin1StringView(kCompanionName)).toStdString() +
                    "\n";
    previousHandler = qInstallMessageHandler(HoldOrEnd);
    armed = true;
}

DisplayGuard::~DisplayGuard()
{
    release();
}

void DisplayGuard::release()
{
    if (!armed)
        return;
    armed = false;
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage& message : std::exchange(held, {})) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.c_str());
        qt_message_output(message.type, context, message.text);
    }
}
