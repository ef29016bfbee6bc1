// Writes the tests' quirk skin as a .wsz file, for the end-to-end runs.
#include "quirkskin.h"

#include <QFile>
#include <QTextStream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        QTextStream(stderr) << "Uso: velmoro-make-quirk-skin FILE.wsz\n";
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) || file.write(velmoro::test::QuirkSkinArchive()) < 0) {
        QTextStream(stderr) << "impossibile scrivere " << file.fileName() << '\n';
        return 1;
    }
    return 0;
}
