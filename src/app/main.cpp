// korvale [FILE.mgx | FOLDER]: the main window.

#include "CKorvaleApp.h"
#include "MessageBoxPrompt.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    MessageBoxPrompt prompt;
    CKorvaleApp korvale(prompt);
    if (!korvale.InitInstance(application, application.arguments().mid(1)))
        return 1;
    return application.exec();
}
