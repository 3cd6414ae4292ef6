#include "app/CommandLine.h"

namespace {

// Text as roff prints it: backslashes and hyphens escaped, no line taken for a request.
QString roff(const QString& text)
{
    QString out = text;
    out.replace(QLatin1Char('\\'), QStringLiteral("\\e")).replace(QLatin1Char('-'), QStringLiteral("\\-"));
    if (out.startsWith(QLatin1Char('.')) || out.startsWith(QLatin1Char('\'')))
        out.prepend(QStringLiteral("\\&"));
    return out;
}

// The help's lines are broken for a terminal; the manual page fills its own.
QString joinedHelp(const CommandLineOption& option)
{
    return roff(QString::fromUtf8(option.help).replace(QLatin1Char('\n'), QLatin1Char(' ')));
}

QString entry(const CommandLineOption& option)
{
    QString head = QStringLiteral(".TP\n.B ") + roff(QString::fromUtf8(option.name));
    if (*option.alias)
        head = QStringLiteral(".TP\n.BR ") + roff(QString::fromUtf8(option.alias)) + QStringLiteral(" \", \" ")
               + roff(QString::fromUtf8(option.name));
    if (option.valueCount > 0)
        head += QStringLiteral(" \\fI") + roff(QString::fromUtf8(option.valueNames)) + QStringLiteral("\\fR");
    return head + QLatin1Char('\n') + joinedHelp(option) + QLatin1Char('\n');
}

QString entries(bool steps)
{
    QString out;
    for (const CommandLineOption& option : commandLineOptions())
        if ((option.kind == CommandLineOption::Step) == steps && option.kind != CommandLineOption::Manual)
            out += entry(option);
    return out;
}

} // namespace

QString commandLineManual()
{
    return QStringLiteral(".TH ARBOLITUS 1 \"\" \"Арболитус " ARBOLITUS_VERSION "\" \"Команды пользователя\"\n"
                          ".SH ИМЯ\n"
                          "arbolitus \\- редактор родословных деревьев\n"
                          ".SH СИНТАКСИС\n"
                          ".B arbolitus\n"
                          "[\\fIПАРАМЕТРЫ\\fR] [\\fIФАЙЛ\\fR]\n"
                          ".br\n"
                          ".B arbolitus \\-\\-batch\n"
                          "\\fIШАГ\\fR ...\n"
                          ".SH ОПИСАНИЕ\n"
                          "Арболитус хранит родословное древо: персонажей, их связи, события, комментарии и "
                          "медиафайлы, и рисует предков и потомков в виде диаграммы.\n"
                          ".PP\n"
                          "\\fIФАЙЛ\\fR, названный при запуске, открывается как файл древа (.arbolitus) "
                          "или импортируется как файл GEDCOM; вид файла узнаётся по его содержимому.\n"
                          ".SH ПАРАМЕТРЫ\n")
           + entries(false)
           + QStringLiteral(".SH ШАГИ\n"
                            "С параметром \\fB\\-\\-batch\\fR программа работает без окон и выполняет шаги по "
                            "порядку. О неудачном шаге сообщается в стандартный поток ошибок, следующие шаги "
                            "выполняются, код возврата равен 1.\n")
           + entries(true)
           + QStringLiteral(".SH ФАЙЛЫ\n"
                            ".TP\n"
                            ".I ~/.config/arbolitus/arbolitus.conf\n"
                            "настройки и список недавних файлов\n"
                            ".TP\n"
                            ".I ~/.local/share/arbolitus/recovery\n"
                            "копии несохранённых деревьев для восстановления после сбоя\n"
                            ".SH \"КОД ВОЗВРАТА\"\n"
                            "0 \\- всё выполнено, 1 \\- один из шагов не удался, 2 \\- неизвестный параметр.\n");
}
