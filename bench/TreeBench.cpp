// Times the family tree's building, measuring and layout (KV_Tree::Build) and its drawing into a PDF file
// (KV_Tree::DrawPdf): the ancestors tree (about 70 generations) and the descendants tree (several hundred boxes) of
// the first individual of the shared royal92.ged, imported into a temporary data folder by kv_import, without
// photos; a generated full pedigree of 12 generations (4,095 boxes); and a tree of 100 boxes, each with a photo of
// 2,000 x 1,500 pixels.
//
//   bench_tree                   royal92.ged from the shared data beside the project
//   bench_tree FILE.ged          another copy of royal92.ged
#include "Bazadanych.h"
#include "BenchSupport.h"
#include "Fact.h"
#include "Picture.h"
#include "TreeSetings.h"
#include "TreeWalk.h"
#include "Treeunit.h"
#include "Vh_langmanager.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace {

// The first individual of royal92.ged is the only person born on 24 May 1819.
constexpr const char* firstRoyalBirth = "#124051819";
constexpr int pedigreeGenerations = 12;
constexpr int photoCount = 100;

bool importRoyal92(const QString& royal, const QString& dataFolder)
{
    if (!QFileInfo::exists(royal)) {
        std::printf("the shared GEDCOM data is not beside the project: royal92.ged left out\n");
        return false;
    }
    QProcess import;
    import.start(QStringLiteral(KV_IMPORT_PATH), {royal, dataFolder});
    import.waitForFinished(-1);
    if (import.exitCode() != 0) {
        std::printf("kv_import failed: %s\n", import.readAllStandardError().constData());
        return false;
    }
    gDB.DataFolder = dataFolder;
    gDB.FileExtension = QStringLiteral(".kvfile");
    gDB.LoadAll(nullptr);
    return true;
}

QString firstRoyalID()
{
    for (gDB.FirstFact(); !gDB.IsFactCursorAtEnd(); gDB.NextFact()) {
        const KV_Fact* fact = gDB.GetCursorFact();
        if (fact->Type == QLatin1String("BIRT") && fact->Date.ToStorageText() == QLatin1String(firstRoyalBirth))
            return fact->PersonIDF;
    }
    return QString();
}

// A person with both parents, grandparents and so on for the given number of generations (the person included).
QString fullPedigree(int generations)
{
    QList<KV_Person*> generation;
    for (int level = generations; level >= 1; --level) {
        QList<KV_Person*> next;
        for (int i = 0; i < (1 << (level - 1)); ++i) {
            auto* person = new KV_Person;
            person->Forename = QString::fromUtf8(GeneratedGedcom::given[i % 8]);
            person->Surname = QString::fromUtf8(GeneratedGedcom::surnames[(i + level) % 10]);
            person->Sex = i % 2 == 0 ? 1 : 0;
            gDB.AddPerson(person);
            if (!generation.isEmpty()) {
                person->FID = generation[2 * i]->ID;
                person->MID = generation[2 * i + 1]->ID;
            }
            next << person;
        }
        generation = next;
    }
    return generation.front()->ID;
}

// A father of 99 children, each of the 100 with a photo of its own.
QString photoFamily(const QString& folder)
{
    QList<KV_Person*> family;
    for (int i = 0; i < photoCount; ++i) {
        auto* person = new KV_Person;
        person->Forename = QString::fromUtf8(GeneratedGedcom::given[i % 8]);
        person->Surname = QString::fromUtf8(GeneratedGedcom::surnames[i % 10]);
        person->Sex = i % 2;
        gDB.AddPerson(person);
        if (i > 0) {
            person->FID = family.front()->ID;
            family.front()->AddChild(person->ID);
        }
        QImage photo(2000, 1500, QImage::Format_RGB32);
        photo.fill(QColor::fromHsv(i * 3 % 360, 120, 220));
        QPainter(&photo).drawEllipse(200 + i, 200, 1200, 1000);
        const QString path = folder + QStringLiteral("photo_%1.jpg").arg(i);
        photo.save(path, "JPG", 90);
        auto* picture = new KV_Picture;
        picture->File = path;
        gDB.AddPictureToPerson(person->ID, picture);
        family << person;
    }
    return family.front()->ID;
}

// Builds the tree and draws it into pdf, printing both times.
void timeTree(const char* what, int kind, const QString& personId, const QString& pdf)
{
    QElapsedTimer timer;
    timer.start();
    gTree.Build(kind, personId);
    const qint64 buildMs = timer.elapsed();
    int boxes = 0;
    int generations = 0;
    KV_TreeItem& root = kind == KV_Tree::AncestorsTree ? gTree.AncestorsRoot : gTree.DescendantsRoot;
    visitTopDown(root, [&](KV_TreeItem& box) {
        ++boxes;
        generations = std::max(generations, box.Level);
    });
    std::printf("%-44s build %6lld ms  (%d boxes, %d generations, page %.0f x %.0f cm)\n", what,
                static_cast<long long>(buildMs), boxes, generations, gTree.PageWidth, gTree.PageHeight);
    timer.restart();
    const bool written = gTree.DrawPdf(pdf);
    std::printf("%-44s draw  %6lld ms  (%s, %lld KB)\n", what, static_cast<long long>(timer.elapsed()),
                written ? "written" : "NOT WRITTEN", static_cast<long long>(QFileInfo(pdf).size() / 1024));
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    gLangM.Load(KX_LangManager::MessageTable());

    QTemporaryDir folder;
    const QString output = folder.path() + u'/';
    gTempFolder = output;
    const QString royal = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                   : QStringLiteral(KRONVEL_SOURCE_DIR "/../shared/data/gedcom/large/royal92.ged");
    gTreeSetings.ShowPicture = false;
    if (importRoyal92(royal, output + QStringLiteral("royal92/"))) {
        const QString victoria = firstRoyalID();
        timeTree("royal92: ancestors of the first person", KV_Tree::AncestorsTree, victoria, output + "a.pdf");
        timeTree("royal92: descendants of the first person", KV_Tree::DescendantsTree, victoria, output + "d.pdf");
    }
    gDB.Clear();
    timeTree("full pedigree of 12 generations", KV_Tree::AncestorsTree, fullPedigree(pedigreeGenerations),
             output + "p.pdf");
    gDB.Clear();
    gTreeSetings.ShowPicture = true;
    timeTree("100 boxes with photos of 2000 x 1500", KV_Tree::DescendantsTree, photoFamily(output),
             output + "photos.pdf");
    return 0;
}
