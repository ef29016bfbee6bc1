#pragma once
// The warnings one logging category gives while a CapturedLog lives, with
// that category turned on for the while; messages of other categories pass
// on to the handler that was installed before.
#include <QByteArray>
#include <QLoggingCategory>
#include <QStringList>

#include <string>

namespace velmoro::test {

class CapturedLog {
public:
    explicit CapturedLog(const QLoggingCategory& category)
    {
        s_category = category.categoryName();
        s_messages.clear();
        QLoggingCategory::setFilterRules(QString::fromLatin1(s_category) + QStringLiteral(".warning=true"));
        s_previous = qInstallMessageHandler(&Handle);
    }
    ~CapturedLog()
    {
        qInstallMessageHandler(s_previous);
        QLoggingCategory::setFilterRules(QString());
    }
    CapturedLog(const CapturedLog&) = delete;
    CapturedLog& operator=(const CapturedLog&) = delete;

    const QStringList& Messages() const { return s_messages; }
    // All of them, a line each, for a failing test to show.
    std::string Text() const { return s_messages.join(u'\n').toStdString(); }

private:
    static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        if (context.category && s_category == context.category)
            s_messages << message;
        else if (s_previous)
            s_previous(type, context, message);
    }

    inline static QByteArray s_category;
    inline static QStringList s_messages;
    inline static QtMessageHandler s_previous = nullptr;
};

} // namespace velmoro::test
