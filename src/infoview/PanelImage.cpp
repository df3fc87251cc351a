#include "PanelImage.h"

#include "MgxInfoDlgBar.h"
#include "ScriptedPrompt.h"
#include "ShowInfo.h"

#include <QCoreApplication>

QImage RenderPanelImage(const Mgx::GameRecord& record)
{
    MgxInfoDlgBar bar;
    bar.setAttribute(Qt::WA_DontShowOnScreen);
    bar.show();
    // A prompt without answers says No to the repair question.
    ScriptedPrompt noQuestions;
    Mgx::ShowInfo(&record, bar.Container(), noQuestions);
    // Text boxes lay out their scroll bars from posted events.
    QCoreApplication::processEvents();
    return bar.grab().toImage();
}
