// A clean database with the Polish texts loaded and the default display settings, for the model's tests.
#pragma once

#include "Bazadanych.h"
#include "Fact.h"
#include "Picture.h"
#include "Settings.h"
#include "TestSupport.h"
#include "Vh_langmanager.h"

#include <gtest/gtest.h>

class ModelFixture : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        static const bool loaded = [] {
            gLangM.Load(KX_LangManager::MessageTable());
            return true;
        }();
        (void)loaded;
    }
    void SetUp() override { reset(); }
    void TearDown() override { reset(); }

    static void reset()
    {
        gDB.Clear();
        gDB.LastError.clear();
        gDB.AttributeTypes.clear();
        gSettings = KV_Settings();
        gSettings.Apply();
    }

    static KV_Person* addPerson(const QString& forename, const QString& surname, int sex = 1, KV_DB& db = gDB)
    {
        auto* person = new KV_Person;
        person->Forename = forename;
        person->Surname = surname;
        person->Sex = sex;
        db.AddPerson(person);
        return person;
    }

    // Links both ends of a relation without the relation rules; a null parent is left out.
    static void makeChild(KV_Person* child, KV_Person* father, KV_Person* mother)
    {
        if (father) {
            child->FID = father->ID;
            father->AddChild(child->ID);
        }
        if (mother) {
            child->MID = mother->ID;
            mother->AddChild(child->ID);
        }
    }
    static void makeUnion(KV_Person* a, KV_Person* b)
    {
        a->AddPartner(b->ID);
        b->AddPartner(a->ID);
    }

    // A fact of one person, or a union fact when partner is given; date is typed text.
    static KV_Fact* addFact(const KV_Person* person, const QString& type, const QString& date = QString(),
                            const QString& place = QString(), const KV_Person* partner = nullptr, KV_DB& db = gDB)
    {
        auto* fact = new KV_Fact;
        fact->Type = type;
        fact->Date.FromText(date);
        fact->Place = place;
        fact->PersonIDF = person->ID;
        if (partner)
            fact->PersonIDS = partner->ID;
        db.AddFact(fact);
        return fact;
    }
};
