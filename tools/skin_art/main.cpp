// The skin picture generator.
//   skin_art pictures LAYOUT_DIR OUT_DIR
//       draws every picture of the three skins (from the skin sections in LAYOUT_DIR) and
//       the shared ones into OUT_DIR (the shipped ones live in resources/pictures)
//   skin_art preview LAYOUT_DIR PICTURES_DIR OUT_DIR
//       paints each page of each skin in each language into OUT_DIR and lists the texts
//       that do not fit and the controls that overlap (exit status 1 when there are any)
#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <iostream>
#include <string>

#include "LoadingFrames.h"
#include "Preview.h"
#include "SharedPictures.h"
#include "SkinPictures.h"
#include "ui/text/IniFile.h"
#include "ui/text/SkinSection.h"

namespace {

int DrawPictures(const QString& layoutDir, const QString& outDir)
{
    QDir().mkpath(outDir);
    const auto read = [&](int index) {
        QFile file(QDir(layoutDir).filePath(QString("org%1.ini").arg(index)));
        const std::string text = file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
        return qeltra3k::text::IniFile::Parse(text);
    };
    const auto skin1 = read(1);
    bool ok = skin_art::DrawSharedPictures(outDir) && skin_art::DrawLoadingFrames(outDir);
    for (int index = 1; index <= qeltra3k::text::kSkinCount; ++index) {
        const auto reading = qeltra3k::text::ReadSkinSection(read(index), index, &skin1);
        for (const std::string& warning : reading.warnings)
            std::cerr << warning << "\n";
        if (!reading.warnings.empty())
            ok = false;
        ok = skin_art::DrawSkinPictures(reading.skin, outDir) && ok;
    }
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    // Pictures and previews need fonts, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == "pictures")
        return DrawPictures(args[2], args[3]);
    if (args.size() == 5 && args[1] == "preview")
        return skin_art::RenderPreviews(args[2], args[3], args[4]);
    std::cerr << "usage: skin_art pictures LAYOUT_DIR OUT_DIR\n"
                 "       skin_art preview LAYOUT_DIR PICTURES_DIR OUT_DIR\n";
    return 2;
}
