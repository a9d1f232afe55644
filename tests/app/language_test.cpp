#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QTranslator>
#include <stdexcept>
#include <string>
#include <vector>

#include "AboutForm.h"
#include "DriveTypeNames.h"
#include "FakeLayer.h"
#include "InfosForm.h"
#include "MainForm.h"
#include "QtAppEnvironment.h"
#include "RowTexts.h"
#include "Translations.h"
#include "Unit1.h"

namespace {

// Installs the translation the given languages pick, for the lifetime of the guard.
class ScopedLanguages {
public:
    explicit ScopedLanguages(const QStringList& uiLanguages)
        : code_(InstallTranslation(translator_, uiLanguages)) {}
    ~ScopedLanguages() { QCoreApplication::removeTranslator(&translator_); }
    ScopedLanguages(const ScopedLanguages&) = delete;
    ScopedLanguages& operator=(const ScopedLanguages&) = delete;

    const QString& Code() const { return code_; }

private:
    QTranslator translator_;
    QString code_;
};

// What the user reads in each window, in the order Read() collects it: the menu, the
// information window (title, captions, unnamed header, type line), the two about windows' titles
// and the caption up to its first figure.
using WindowTexts = std::vector<std::string>;

const WindowTexts kUkrainian{"Інформація про діск...",
                             "Обновити",
                             "Опції",
                             "Обчислити ємкість, як:",
                             "Обєднати в:",
                             "Байти",
                             "Октети",
                             "Формат відображення",
                             "Гігабайти",
                             "Прозрачність",
                             "Залишити вершину",
                             "Закрити",
                             "Informations du disque",
                             "Повний об'єм",
                             "Вільного місця",
                             "Корисний об'єм",
                             "Файлова система",
                             "Тип",
                             "Номер і серія",
                             "(Неназваний диск) [U:]",
                             "Local drive [ 3 ] [ 0 ]",
                             "A propos",
                             "11111",
                             "Vollmark - Total: "};

class LanguageTest : public ::testing::Test {
protected:
    void SetUp() override {
        DiskUtils::ResetOptionState();
        auto& drive = fake->drive('U');
        drive.totalBytes = 1'000'000'000;
        drive.freeBytes = 250'000'000;
    }
    void TearDown() override { DiskUtils::ResetOptionState(); }

    // Builds every window under the installed translation and reads its texts back.
    static WindowTexts Read() {
        TFrmMain form;
        form.FormCreate();
        QImage row = NewRowImage();
        form.ListBox1DrawItem(0, row, false);
        TFrmDiskInfo info(&form);
        info.FormCreate();
        info.Disk->SetDriveIndex(DiskUtils::DriveLetterToIndex('U'));
        info.FormShow();
        QTemporaryDir dir;
        const TFrmAbout about({}, dir.path());
        const TAboutBox box;
        const QStringList texts{
            form.Driveinfos1->text(),  form.Rescan1->text(),
            form.Settings1->title(),   form.Divisionnorme1->title(),
            form.Showedunit1->title(), form.Bytes1->text(),
            form.Octets1->text(),      form.Sizeformat1->title(),
            form.Giga1->text(),        form.Alphablending1->text(),
            form.Stayontop1->text(),   form.Exit1->text(),
            info.windowTitle(),        info.Label1->text(),
            info.Label2->text(),       info.Label3->text(),
            info.Label10->text(),      info.Label12->text(),
            info.Label14->text(),      info.Label9->text(),
            info.Label13->text(),      about.windowTitle(),
            box.windowTitle(),         form.windowTitle().section(':', 0, 0) + ": "};
        WindowTexts result;
        for (const QString& text : texts) result.push_back(text.toStdString());
        return result;
    }

    platform::ScopedFakeLayer fake;
};

TEST(PickTranslationTest, firstWantedLanguageWithATranslationWins) {
    const QStringList available{"de", "en", "fr"};
    const struct {
        QStringList wanted;
        const char* picked;
    } cases[] = {
        {{"de-DE", "de-Latn-DE", "de"}, "de"},
        {{"fr-CA", "fr"}, "fr"},
        {{"en-US", "en-Latn-US", "en"}, "en"},
        {{"es-ES", "es", "fr"}, "fr"},
        {{"pt-BR", "it"}, ""},
        {{"C"}, ""},
        {{"POSIX"}, ""},
        {{}, ""},
        {{"", "not a language"}, ""},
        // The texts are written in Ukrainian: wanting it first means wanting them as they are.
        {{"uk-UA", "uk", "en-US", "en"}, ""},
        {{"de", "uk"}, "de"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PickTranslation(c.wanted, available).toStdString(), c.picked)
            << c.wanted.join(',').toStdString();
    }
    EXPECT_EQ(PickTranslation({"de-DE"}, {"en"}).toStdString(), "");
}

TEST(PickTranslationTest, programCarriesEnglishGermanAndFrench) {
    QStringList codes = EmbeddedTranslations();
    codes.sort();
    EXPECT_EQ(codes, (QStringList{"de", "en", "fr"}));
}

TEST_F(LanguageTest, noMatchingLanguage_keepsEveryTextAsWritten) {
    for (const QStringList& wanted :
         {QStringList{"C"}, QStringList{}, QStringList{"uk-UA", "uk", "de"}, QStringList{"ja"}}) {
        const ScopedLanguages languages(wanted);
        EXPECT_TRUE(languages.Code().isEmpty());
        EXPECT_EQ(Read(), kUkrainian);
    }
}

TEST_F(LanguageTest, german_translatesEveryWindowButNotTheUnitWords) {
    const ScopedLanguages languages({"de-DE", "de"});
    ASSERT_EQ(languages.Code(), "de");
    EXPECT_EQ(Read(), (WindowTexts{"Laufwerksinformationen...",
                                   "Aktualisieren",
                                   "Optionen",
                                   "Kapazität berechnen mit:",
                                   "Einheitenwörter:",
                                   "Bytes",
                                   "Octets",
                                   "Anzeigeformat",
                                   "Gigabyte",
                                   "Transparenz",
                                   "Immer im Vordergrund",
                                   "Schließen",
                                   "Laufwerksinformationen",
                                   "Gesamtgröße",
                                   "Freier Platz",
                                   "Belegter Platz",
                                   "Dateisystem",
                                   "Typ",
                                   "Seriennummer",
                                   "(Unbenanntes Laufwerk) [U:]",
                                   "Lokales Laufwerk [ 3 ] [ 0 ]",
                                   "Über",
                                   "Über Vollmark",
                                   "Vollmark - Gesamt: "}));
}

TEST_F(LanguageTest, french_translatesEveryWindow) {
    const ScopedLanguages languages({"fr-FR"});
    ASSERT_EQ(languages.Code(), "fr");
    EXPECT_EQ(Read(), (WindowTexts{"Informations du disque...",
                                   "Actualiser",
                                   "Options",
                                   "Calculer la capacité avec :",
                                   "Mots d'unité :",
                                   "Bytes",
                                   "Octets",
                                   "Format d'affichage",
                                   "Giga-octets",
                                   "Transparence",
                                   "Toujours au premier plan",
                                   "Fermer",
                                   "Informations du disque",
                                   "Capacité totale",
                                   "Espace libre",
                                   "Espace utilisé",
                                   "Système de fichiers",
                                   "Type",
                                   "Numéro de série",
                                   "(Disque sans nom) [U:]",
                                   "Disque local [ 3 ] [ 0 ]",
                                   "À propos",
                                   "À propos de Vollmark",
                                   "Vollmark - Total : "}));
}

TEST_F(LanguageTest, english_translatesEveryWindow) {
    const ScopedLanguages languages({"en-GB", "en"});
    ASSERT_EQ(languages.Code(), "en");
    EXPECT_EQ(Read(), (WindowTexts{"Drive information...",
                                   "Refresh",
                                   "Options",
                                   "Calculate capacity with:",
                                   "Unit words:",
                                   "Bytes",
                                   "Octets",
                                   "Display format",
                                   "Gigabytes",
                                   "Transparency",
                                   "Stay on top",
                                   "Close",
                                   "Drive information",
                                   "Total capacity",
                                   "Free space",
                                   "Used space",
                                   "File system",
                                   "Type",
                                   "Serial number",
                                   "(Unnamed drive) [U:]",
                                   "Local drive [ 3 ] [ 0 ]",
                                   "About",
                                   "About Vollmark",
                                   "Vollmark - Total: "}));
}

TEST_F(LanguageTest, driveTypes_translateTheProbesOwnCodesOnly) {
    const ScopedLanguages languages({"de"});
    const struct {
        bool present;
        std::uint32_t code;
        const char* shown;
    } cases[] = {
        {true, 0, "Unbekannt"},
        {true, 1, "Lokales Laufwerk"},
        {true, 2, "Wechseldatenträger"},
        {true, 3, "Lokales Laufwerk"},
        {true, 4, "Netzlaufwerk"},
        {true, 5, "CD/DVD-Laufwerk"},
        {true, 6, "RAM-Disk"},
        {true, 7, "7"},
        {false, 0, "0"},
    };
    for (const auto& c : cases) {
        DiskUtils::TDisk probe;
        probe.Present = c.present;
        probe.DriveType = c.code;
        probe.DriveTypeText = c.present ? DiskUtils::DriveTypeToText(c.code) : "0";
        EXPECT_EQ(DriveTypeName(probe), c.shown) << c.code;
    }
}

TEST_F(LanguageTest, translatedCaption_keepsTheFiguresOfTheDrives) {
    const ScopedLanguages languages({"de"});
    TFrmMain form;
    form.FormCreate();
    QImage row = NewRowImage();
    form.ListBox1DrawItem(0, row, false);
    const CaptionFigures figures = CaptionFiguresOf(form.Model().LocalTotals());
    EXPECT_EQ(form.windowTitle().toStdString(),
              "Vollmark - Gesamt: " + figures.Total + " (" + figures.FreeShare + " frei)");
    EXPECT_EQ(figures.Total, "1.00 Go");
}

// The command-line tool builds its texts without Qt's translations, so scripts read the same
// words whatever language is installed.
TEST_F(LanguageTest, sharedRowTexts_stayUntranslated) {
    const ScopedLanguages languages({"de"});
    const CapacityTotals totals{};
    EXPECT_EQ(CaptionText(totals), "Vollmark - Total: 0.00 Go (0.0 % Free)");
    EXPECT_EQ(SummaryRowContent(kLocalSummaryLabel, totals).Label, "LOCAL DISKS VALUE");
}

TEST_F(LanguageTest, rowWords_followTheTranslationAndComeBackWithoutIt) {
    const auto paintSummary = [] {
        TFrmMain form;
        form.FormCreate();
        QImage row = NewRowImage();
        form.ListBox1DrawItem(0, row, false);
        return row;
    };
    const QImage asWritten = paintSummary();
    {
        const ScopedLanguages german({"de"});
        EXPECT_NE(paintSummary(), asWritten);
    }
    {
        const ScopedLanguages english({"en"});
        EXPECT_EQ(paintSummary(), asWritten);
    }
    EXPECT_EQ(paintSummary(), asWritten);
}

TEST_F(LanguageTest, pageFileError_isReportedInTheUsersLanguage) {
    const ScopedLanguages languages({"fr"});
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("gone"));
    TFrmAbout about({QStringLiteral("hopak")}, missing);
    try {
        about.FormCreate();
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        const QString path = QDir::toNativeSeparators(missing + "/ruzuvo.html");
        EXPECT_TRUE(QString::fromStdString(error.what())
                        .startsWith("Impossible de créer le fichier « " + path + " ». "))
            << error.what();
    }
}

}  // namespace
