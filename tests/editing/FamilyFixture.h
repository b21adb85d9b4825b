// A standard family written to the data folder, with the add-relative dialog made and a scripted person picker,
// for the tests of adding and removing relatives. Persons are kept by ID: a reload makes new records.
#pragma once

#include "EditingFixture.h"
#include "PersonPicker.h"
#include "RelacjaAddUnit.h"

#include <deque>
#include <memory>
#include <utility>

class FamilyFixture : public EditingFixture
{
protected:
    void SetUp() override
    {
        EditingFixture::SetUp();
        form = std::make_unique<TFormRelacjaAdd>();
        FormRelacjaAdd = form.get();
        SetPersonPicker([this](bool women, bool men) {
            pickerCalls.append({women, men});
            if (picks.empty())
                return QString();
            const QString id = picks.front();
            picks.pop_front();
            return id;
        });
        makeFamily();
    }
    void TearDown() override
    {
        SetPersonPicker(nullptr);
        FormRelacjaAdd = nullptr;
        form.reset();
        EditingFixture::TearDown();
    }

    // Jan Kowalski and Anna Kowalska (née Nowak), partners, with their son Piotr and daughter Ewa; Jan's second
    // partner Maria Wiśniewska; Zofia Zielińska with her daughter Kasia and no partner; and Adam, Tomasz, Helena
    // and Alex (of unspecified sex) with no relatives at all.
    void makeFamily()
    {
        KV_Person* pJan = addPerson(u("Jan"), u("Kowalski"), 1);
        pJan->Familyname = u("Kowalski");
        KV_Person* pAnna = addPerson(u("Anna"), u("Kowalska"), 0);
        pAnna->Familyname = u("Nowak");
        KV_Person* pMaria = addPerson(u("Maria"), u("Wiśniewska"), 0);
        KV_Person* pPiotr = addPerson(u("Piotr"), u("Kowalski"), 1);
        KV_Person* pEwa = addPerson(u("Ewa"), u("Kowalska"), 0);
        pEwa->Familyname = u("Kowalska");
        KV_Person* pZofia = addPerson(u("Zofia"), u("Zielińska"), 0);
        KV_Person* pKasia = addPerson(u("Kasia"), u("Zielińska"), 0);
        KV_Person* pAdam = addPerson(u("Adam"), u("Lis"), 1);
        KV_Person* pTomasz = addPerson(u("Tomasz"), u("Wrona"), 1);
        KV_Person* pHelena = addPerson(u("Helena"), u("Sowa"), 0);
        KV_Person* pAlex = addPerson(u("Alex"), u("Kos"), 2);
        makeUnion(pJan, pAnna);
        makeUnion(pJan, pMaria);
        makeChild(pPiotr, pJan, pAnna);
        makeChild(pEwa, pJan, pAnna);
        makeChild(pKasia, nullptr, pZofia);
        for (KV_Person* person : {pJan, pAnna, pMaria, pPiotr, pEwa, pZofia, pKasia, pAdam, pTomasz, pHelena, pAlex})
            save(person);
        jan = pJan->ID;
        anna = pAnna->ID;
        maria = pMaria->ID;
        piotr = pPiotr->ID;
        ewa = pEwa->ID;
        zofia = pZofia->ID;
        kasia = pKasia->ID;
        adam = pAdam->ID;
        tomasz = pTomasz->ID;
        helena = pHelena->ID;
        alex = pAlex->ID;
    }

    static KV_Person* P(const QString& id) { return gDB.FindPerson(id); }
    // The one person whose ID is not among the known ones: the relative a save has made.
    QString newPersonID() const
    {
        const QStringList known{jan, anna, maria, piotr, ewa, zofia, kasia, adam, tomasz, helena, alex};
        QString found;
        for (const auto& [id, person] : gDB.PersonMap) {
            if (!known.contains(id))
                found = id;
        }
        return found;
    }
    static QString nameOf(const QString& id) { return P(id)->GetDisplayName(DisplayNameMode::Plain, true, true); }

    // Prepares the dialog, runs the step inside its modal showing and returns the modal result. A step that
    // leaves the dialog open gets it closed, so the test goes on.
    TModalResult run(const QString& subject, const QString& anchor, const QString& second, RelationKind type,
                     const std::function<void(TFormRelacjaAdd&)>& step)
    {
        form->AddRelative(subject, anchor, second, type);
        whenShownModal(form.get(), [this, step] {
            step(*form);
            if (form->GetModalResult() == mrNone) {
                stillOpen = true;
                form->Button4Click();
            }
        });
        stillOpen = false;
        return form->ShowModal();
    }

    std::unique_ptr<TFormRelacjaAdd> form;
    bool stillOpen = false;
    // What the picker is to return, in order, and what it was asked: (women allowed, men allowed).
    std::deque<QString> picks;
    QList<std::pair<bool, bool>> pickerCalls;
    QString jan, anna, maria, piotr, ewa, zofia, kasia, adam, tomasz, helena, alex;
};
