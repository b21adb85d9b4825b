// Times the family tree's building, measuring and layout (KV_Tree::Build): the ancestors tree (about 70
// generations) and the descendants tree (several hundred boxes) of the first individual of the shared royal92.ged,
// imported into a temporary data folder by kv_import, and a generated full pedigree of 12 generations (4,095 boxes).
//
//   bench_tree                   royal92.ged from the shared data beside the project
//   bench_tree FILE.ged          another copy of royal92.ged
#include "Bazadanych.h"
#include "BenchSupport.h"
#include "Fact.h"
#include "TreeSetings.h"
#include "TreeWalk.h"
#include "Treeunit.h"
#include "Vh_langmanager.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace {

// The first individual of royal92.ged is the only person born on 24 May 1819.
constexpr const char* firstRoyalBirth = "#124051819";
constexpr int pedigreeGenerations = 12;

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

void timeBuild(const char* what, int kind, const QString& personId)
{
    QElapsedTimer timer;
    timer.start();
    gTree.Build(kind, personId);
    const qint64 ms = timer.elapsed();
    int boxes = 0;
    int generations = 0;
    KV_TreeItem& root = kind == KV_Tree::AncestorsTree ? gTree.AncestorsRoot : gTree.DescendantsRoot;
    visitTopDown(root, [&](KV_TreeItem& box) {
        ++boxes;
        generations = std::max(generations, box.Level);
    });
    std::printf("%-44s %8lld ms  (%d boxes, %d generations, page %.0f x %.0f cm)\n", what, static_cast<long long>(ms),
                boxes, generations, gTree.PageWidth, gTree.PageHeight);
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    gLangM.Load(KX_LangManager::MessageTable());

    QTemporaryDir folder;
    const QString royal = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                   : QStringLiteral(KRONVEL_SOURCE_DIR "/../shared/data/gedcom/large/royal92.ged");
    if (importRoyal92(royal, folder.path() + u'/')) {
        const QString victoria = firstRoyalID();
        timeBuild("royal92: ancestors tree of the first person", KV_Tree::AncestorsTree, victoria);
        timeBuild("royal92: descendants tree of the first person", KV_Tree::DescendantsTree, victoria);
    }
    gDB.Clear();
    timeBuild("full pedigree of 12 generations", KV_Tree::AncestorsTree, fullPedigree(pedigreeGenerations));
    return 0;
}
