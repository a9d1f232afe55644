<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="uk">
<context>
    <name>DriveType</name>
    <message>
        <source>Unknow</source>
        <translation>Unbekannt</translation>
    </message>
    <message>
        <source>Local drive</source>
        <translation>Lokales Laufwerk</translation>
    </message>
    <message>
        <source>Removable drive</source>
        <translation>Wechseldatenträger</translation>
    </message>
    <message>
        <source>Network drive</source>
        <translation>Netzlaufwerk</translation>
    </message>
    <message>
        <source>CD/DVD rom</source>
        <translation>CD/DVD-Laufwerk</translation>
    </message>
    <message>
        <source>RAM disk</source>
        <translation>RAM-Disk</translation>
    </message>
</context>
<context>
    <name>DriveWarnings</name>
    <message>
        <source>Відкрити</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Не попереджати про цей диск</source>
        <translation>Für dieses Laufwerk nicht warnen</translation>
    </message>
    <message>
        <source>%1 хв</source>
        <translation>%1 Min.</translation>
    </message>
    <message>
        <source>%1 год</source>
        <translation>%1 Std.</translation>
    </message>
    <message>
        <source>%1 дн.</source>
        <translation>%1 Tagen</translation>
    </message>
    <message>
        <source>Заповниться приблизно за %1</source>
        <translation>Voll in etwa %1</translation>
    </message>
    <message>
        <source>Мало місця на диску %1</source>
        <translation>Wenig Speicherplatz auf %1</translation>
    </message>
    <message>
        <source>Диск %1 швидко заповнюється</source>
        <translation>%1 füllt sich schnell</translation>
    </message>
    <message>
        <source>Вільно: %1.</source>
        <translation>Frei: %1.</translation>
    </message>
    <message>
        <source>Що займає місце...</source>
        <translation>Was belegt den Platz...</translation>
    </message>
    <message>
        <source>Найбільше зросла тека %1: %2 з учорашнього дня</source>
        <translation>%1 ist am meisten gewachsen: %2 seit gestern</translation>
    </message>
    <message>
        <source>Найбільше зросла тека %1: %2 за %3</source>
        <translation>%1 ist am meisten gewachsen: %2 in %3</translation>
    </message>
</context>
<context>
    <name>RowPainter</name>
    <message>
        <source>Total</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Free</source>
        <translation>Frei</translation>
    </message>
    <message>
        <source>Used</source>
        <translation>Belegt</translation>
    </message>
    <message>
        <source>Total %1, Free %2, Used %3, %4</source>
        <translation>Größe %1, frei %2, belegt %3, %4</translation>
    </message>
</context>
<context>
    <name>RowToolTip</name>
    <message>
        <source>%1
Total: %2
Free: %3
Used: %4</source>
        <translation>%1
Größe: %2
Frei: %3
Belegt: %4</translation>
    </message>
</context>
<context>
    <name>TAboutBox</name>
    <message>
        <source>11111</source>
        <translation>Über Vollmark</translation>
    </message>
</context>
<context>
    <name>TFrmAbout</name>
    <message>
        <source>A propos</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Resource %1 not found</source>
        <translation>Ressource %1 nicht gefunden</translation>
    </message>
    <message>
        <source>Cannot create file &quot;%1&quot;. %2</source>
        <translation>Die Datei „%1“ kann nicht angelegt werden. %2</translation>
    </message>
</context>
<context>
    <name>TFrmDiskInfo</name>
    <message>
        <source>Informations du disque</source>
        <translation>Laufwerksinformationen</translation>
    </message>
    <message>
        <source>Повний об&apos;єм</source>
        <translation>Gesamtgröße</translation>
    </message>
    <message>
        <source>Вільного місця</source>
        <translation>Freier Platz</translation>
    </message>
    <message>
        <source>Корисний об&apos;єм</source>
        <translation>Belegter Platz</translation>
    </message>
    <message>
        <source>Файлова система</source>
        <translation>Dateisystem</translation>
    </message>
    <message>
        <source>Тип</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Номер і серія</source>
        <translation>Seriennummer</translation>
    </message>
    <message>
        <source>(Неназваний диск)</source>
        <translation>(Unbenanntes Laufwerk)</translation>
    </message>
    <message>
        <source>Resource %1 not found</source>
        <translation>Ressource %1 nicht gefunden</translation>
    </message>
    <message>
        <source>Icon image is not valid</source>
        <translation>Das Symbolbild ist ungültig</translation>
    </message>
</context>
<context>
    <name>TFrmHistory</name>
    <message>
        <source>Доба</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>Тиждень</source>
        <translation>Woche</translation>
    </message>
    <message>
        <source>Місяць</source>
        <translation>Monat</translation>
    </message>
    <message>
        <source>Рік</source>
        <translation>Jahr</translation>
    </message>
    <message>
        <source>Проміжок</source>
        <translation>Zeitraum</translation>
    </message>
    <message>
        <source>Історія диска %1</source>
        <translation>Verlauf von %1</translation>
    </message>
    <message>
        <source>Історія диска %1 (відсутній)</source>
        <translation>Verlauf von %1 (fehlt)</translation>
    </message>
    <message>
        <source>Історії ще немає</source>
        <translation>Noch kein Verlauf</translation>
    </message>
    <message>
        <source>Зайняте зросло на %1 за %2</source>
        <translation>Belegt wuchs um %1 in %2</translation>
    </message>
    <message>
        <source>Зайняте зменшилося на %1 за %2</source>
        <translation>Belegt sank um %1 in %2</translation>
    </message>
    <message>
        <source>%1; заповниться приблизно за %2</source>
        <translation>%1; voll in etwa %2</translation>
    </message>
    <message>
        <source>Диск відсутній. %1</source>
        <translation>Das Laufwerk fehlt. %1</translation>
    </message>
</context>
<context>
    <name>TFrmMain</name>
    <message>
        <source>NETWORK DISKS VALUE</source>
        <translation>NETZLAUFWERKE</translation>
    </message>
    <message>
        <source>Vollmark - Total: %1 (%2 Free)</source>
        <translation>Vollmark - Gesamt: %1 (%2 frei)</translation>
    </message>
    <message>
        <source>LOCAL DISKS VALUE</source>
        <translation>LOKALE LAUFWERKE</translation>
    </message>
    <message>
        <source>Інформація про діск...</source>
        <translation>Laufwerksinformationen...</translation>
    </message>
    <message>
        <source>Обновити</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Опції</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Обчислити ємкість, як:</source>
        <translation>Kapazität berechnen mit:</translation>
    </message>
    <message>
        <source>Обєднати в:</source>
        <translation>Einheitenwörter:</translation>
    </message>
    <message>
        <source>Байти</source>
        <translation>Bytes</translation>
    </message>
    <message>
        <source>Октети</source>
        <translation>Octets</translation>
    </message>
    <message>
        <source>Формат відображення</source>
        <translation>Anzeigeformat</translation>
    </message>
    <message>
        <source>Кілобайти</source>
        <translation>Kilobyte</translation>
    </message>
    <message>
        <source>Мегабайти</source>
        <translation>Megabyte</translation>
    </message>
    <message>
        <source>Гігабайти</source>
        <translation>Gigabyte</translation>
    </message>
    <message>
        <source>Терабайти</source>
        <translation>Terabyte</translation>
    </message>
    <message>
        <source>Прозрачність</source>
        <translation>Transparenz</translation>
    </message>
    <message>
        <source>Залишити вершину</source>
        <translation>Immer im Vordergrund</translation>
    </message>
    <message>
        <source>Закрити</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Композитор Wayland не дає вікну змінити прозорість</source>
        <translation>Der Wayland-Compositor lässt ein Fenster seine Transparenz nicht ändern</translation>
    </message>
    <message>
        <source>Композитор Wayland не дає вікну залишатися поверх інших</source>
        <translation>Der Wayland-Compositor lässt ein Fenster nicht über den anderen bleiben</translation>
    </message>
    <message>
        <source>Запускати під час входу</source>
        <translation>Beim Anmelden starten</translation>
    </message>
    <message>
        <source>Попереджати, коли диск заповнюється</source>
        <translation>Warnen, wenn ein Laufwerk voll wird</translation>
    </message>
    <message>
        <source>Історія диска...</source>
        <translation>Laufwerksverlauf...</translation>
    </message>
    <message>
        <source>Що займає місце...</source>
        <translation>Was belegt den Platz...</translation>
    </message>
</context>
<context>
    <name>TFrmSpace</name>
    <message>
        <source>Тека</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Вгору</source>
        <translation>Nach oben</translation>
    </message>
    <message>
        <source>Відкрити теку</source>
        <translation>Ordner öffnen</translation>
    </message>
    <message>
        <source>з учора</source>
        <translation>seit gestern</translation>
    </message>
    <message>
        <source>за тиждень</source>
        <translation>seit einer Woche</translation>
    </message>
    <message>
        <source>за місяць</source>
        <translation>seit einem Monat</translation>
    </message>
    <message>
        <source>Зміна</source>
        <translation>Änderung</translation>
    </message>
    <message>
        <source>Пересканувати</source>
        <translation>Neu einlesen</translation>
    </message>
    <message>
        <source>Сканування</source>
        <translation>Einlesen</translation>
    </message>
    <message>
        <source>Скасувати</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Теки</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Найбільші файли</source>
        <translation>Größte Dateien</translation>
    </message>
    <message>
        <source>Розмір</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Файл</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Що займає місце на %1</source>
        <translation>Was den Platz auf %1 belegt</translation>
    </message>
    <message>
        <source>Знімків ще немає: диск сканується</source>
        <translation>Noch keine Snapshots: das Laufwerk wird eingelesen</translation>
    </message>
    <message>
        <source>Знімків ще немає</source>
        <translation>Noch keine Snapshots</translation>
    </message>
    <message>
        <source>щойно</source>
        <translation>gerade eben</translation>
    </message>
    <message>
        <source>%1 тому</source>
        <translation>vor %1</translation>
    </message>
    <message>
        <source>Знімок %1</source>
        <translation>Snapshot %1</translation>
    </message>
    <message>
        <source>%1, порівняно зі знімком %2</source>
        <translation>%1, verglichen mit dem Snapshot %2</translation>
    </message>
    <message>
        <source>%1; раніших знімків для порівняння немає</source>
        <translation>%1; kein früherer Snapshot zum Vergleich</translation>
    </message>
    <message>
        <source>Сканування скасовано</source>
        <translation>Einlesen abgebrochen</translation>
    </message>
    <message>
        <source>%1 записів, %2</source>
        <translation>%1 Einträge, %2</translation>
    </message>
    <message>
        <source>Не вдалося просканувати диск: %1</source>
        <translation>Das Laufwerk kann nicht eingelesen werden: %1</translation>
    </message>
    <message>
        <source>Знімок не збережено в історії: %1</source>
        <translation>Der Snapshot wurde nicht im Verlauf gespeichert: %1</translation>
    </message>
    <message>
        <source>Не вдалося відкрити теку %1</source>
        <translation>Der Ordner %1 kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>без змін</source>
        <translation>unverändert</translation>
    </message>
    <message>
        <source>%1 (%2 за день)</source>
        <translation>%1 (%2 pro Tag)</translation>
    </message>
    <message>
        <source>файлів: %1</source>
        <translation>Dateien: %1</translation>
    </message>
    <message>
        <source>Файли й дрібні теки</source>
        <translation>Dateien und kleine Ordner</translation>
    </message>
    <message>
        <source>Простір, якого не пояснює жодна тека</source>
        <translation>Platz, den kein Ordner erklärt</translation>
    </message>
    <message>
        <source>резерв %1</source>
        <translation>reserviert %1</translation>
    </message>
    <message>
        <source>видалені відкриті %1</source>
        <translation>gelöscht, aber offen %1</translation>
    </message>
    <message>
        <source>решта %1</source>
        <translation>Rest %1</translation>
    </message>
    <message>
        <source>зміна %1</source>
        <translation>Änderung %1</translation>
    </message>
    <message>
        <source>Зарезервовано для адміністратора: %1</source>
        <translation>Für den Administrator reserviert: %1</translation>
    </message>
    <message>
        <source>Видалений, але відкритий у %1 (pid %2): %3, %4</source>
        <translation>Gelöscht, noch offen in %1 (PID %2): %3, %4</translation>
    </message>
    <message>
        <source>Решта (службові дані файлової системи, нечитабельні теки): %1</source>
        <translation>Der Rest (Verwaltungsdaten des Dateisystems, unlesbare Ordner): %1</translation>
    </message>
</context>
<context>
    <name>TGrowthMap</name>
    <message>
        <source>Карта росту</source>
        <translation>Wachstumskarte</translation>
    </message>
    <message>
        <source>зміна невідома</source>
        <translation>Änderung unbekannt</translation>
    </message>
    <message>
        <source>без змін</source>
        <translation>unverändert</translation>
    </message>
    <message>
        <source>зміна %1</source>
        <translation>Änderung %1</translation>
    </message>
    <message>
        <source>%1 (%2 за день)</source>
        <translation>%1 (%2 pro Tag)</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>Площа плитки — розмір теки, колір — зміна: тепле зросло, холодне зменшилося, сіре без змін</source>
        <translation>Die Fläche einer Kachel ist die Größe des Ordners, ihre Farbe die Änderung: warm gewachsen, kühl geschrumpft, grau unverändert</translation>
    </message>
    <message>
        <source>Площа й колір плитки — розмір теки: раніших знімків немає, тож змін не видно</source>
        <translation>Fläche und Farbe einer Kachel sind die Größe des Ordners: Es gibt keine frühere Momentaufnahme, daher ist keine Änderung zu sehen</translation>
    </message>
    <message>
        <source>Колір за розміром: раніших знімків немає</source>
        <translation>Farbe nach Größe: keine frühere Momentaufnahme</translation>
    </message>
    <message>
        <source>зросло</source>
        <translation>gewachsen</translation>
    </message>
    <message>
        <source>зменшилося</source>
        <translation>geschrumpft</translation>
    </message>
</context>
</TS>
