#include "app/app_fonts.h"
#include "app/app_language.h"
#include "app/form1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trimvox"));
    trimvox::RegisterFontSubstitutions();
    trimvox::InstallChineseTranslations();

    trimvox::Form1 form;
    if (!form.Form_Initialize()) {
        return 0;
    }
    form.Form_Load();
    form.show();
    return QApplication::exec();
}
