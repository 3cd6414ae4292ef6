#include "platform/ScriptedPlatform.h"

#include <QMenu>

template <typename T>
static std::optional<T> takeAnswer(std::deque<std::optional<T>>& queue)
{
    std::optional<T> answer;
    if (!queue.empty()) {
        answer.swap(queue.front());
        queue.pop_front();
    }
    return answer;
}

void ScriptedPlatform::showMessage(const QString& caption, const QString& text)
{
    messages.push_back({caption, text});
}

std::optional<QString> ScriptedPlatform::inputText(const QString& caption, const QString& prompt, const QString&)
{
    inputCaptions << caption;
    inputPrompts << prompt;
    return takeAnswer(inputAnswers);
}

std::optional<QString> ScriptedPlatform::openFile(const QString& title, const QString&, const QString&,
                                                 const QString& defaultSuffix)
{
    fileTitles << title;
    fileSuffixes << defaultSuffix;
    return takeAnswer(fileAnswers);
}

std::optional<QString> ScriptedPlatform::openPicture()
{
    fileTitles << pictureTitle();
    return takeAnswer(pictureAnswers);
}

std::optional<QFont> ScriptedPlatform::chooseFont(const QFont&)
{
    return takeAnswer(fontAnswers);
}

void ScriptedPlatform::openWithDefaultProgram(const QString& path, std::function<void(bool opened)> done)
{
    opened << path;
    done(openResult);
}

void ScriptedPlatform::popupMenu(QMenu* menu, const QPoint& globalPos)
{
    popups.push_back({menu ? menu->objectName() : QString(), globalPos});
}

std::optional<QString> ScriptedPlatform::saveFile(const QString& title, const QString&, const QString& proposed,
                                                 const QString& defaultSuffix)
{
    fileTitles << title;
    fileSuffixes << defaultSuffix;
    saveProposals << proposed;
    return takeAnswer(saveAnswers);
}

Platform::SaveAnswer ScriptedPlatform::askToSave(const QString&, const QString& question)
{
    saveQuestions << question;
    if (saveQuestionAnswers.empty())
        return SaveAnswer::Cancel;
    const SaveAnswer answer = saveQuestionAnswers.front();
    saveQuestionAnswers.pop_front();
    return answer;
}

bool ScriptedPlatform::askYesNo(const QString&, const QString& question)
{
    yesNoQuestions << question;
    if (yesNoAnswers.empty())
        return false;
    const bool answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
}
