<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="uk">
<context>
    <name>DriveType</name>
    <message>
        <source>Unknow</source>
        <translation>Unknown</translation>
    </message>
    <message>
        <source>Local drive</source>
        <translation>Local drive</translation>
    </message>
    <message>
        <source>Removable drive</source>
        <translation>Removable drive</translation>
    </message>
    <message>
        <source>Network drive</source>
        <translation>Network drive</translation>
    </message>
    <message>
        <source>CD/DVD rom</source>
        <translation>CD/DVD drive</translation>
    </message>
    <message>
        <source>RAM disk</source>
        <translation>RAM disk</translation>
    </message>
</context>
<context>
    <name>DriveWarnings</name>
    <message>
        <source>Відкрити</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Не попереджати про цей диск</source>
        <translation>Don&apos;t warn for this drive</translation>
    </message>
    <message>
        <source>%1 хв</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>%1 год</source>
        <translation>%1 h</translation>
    </message>
    <message>
        <source>%1 дн.</source>
        <translation>%1 days</translation>
    </message>
    <message>
        <source>Заповниться приблизно за %1</source>
        <translation>Full in about %1</translation>
    </message>
    <message>
        <source>Мало місця на диску %1</source>
        <translation>Low disk space on %1</translation>
    </message>
    <message>
        <source>Диск %1 швидко заповнюється</source>
        <translation>%1 is filling up fast</translation>
    </message>
    <message>
        <source>Вільно: %1.</source>
        <translation>Free: %1.</translation>
    </message>
    <message>
        <source>Що займає місце...</source>
        <translation>What takes the space...</translation>
    </message>
    <message>
        <source>Найбільше зросла тека %1: %2 з учорашнього дня</source>
        <translation>%1 grew most: %2 since yesterday</translation>
    </message>
    <message>
        <source>Найбільше зросла тека %1: %2 за %3</source>
        <translation>%1 grew most: %2 in %3</translation>
    </message>
</context>
<context>
    <name>RowPainter</name>
    <message>
        <source>Total</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Free</source>
        <translation>Free</translation>
    </message>
    <message>
        <source>Used</source>
        <translation>Used</translation>
    </message>
    <message>
        <source>Total %1, Free %2, Used %3, %4</source>
        <translation>Total %1, Free %2, Used %3, %4</translation>
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
Total: %2
Free: %3
Used: %4</translation>
    </message>
</context>
<context>
    <name>TAboutBox</name>
    <message>
        <source>11111</source>
        <translation>About Vollmark</translation>
    </message>
</context>
<context>
    <name>TFrmAbout</name>
    <message>
        <source>A propos</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Resource %1 not found</source>
        <translation>Resource %1 not found</translation>
    </message>
    <message>
        <source>Cannot create file &quot;%1&quot;. %2</source>
        <translation>Cannot create file &quot;%1&quot;. %2</translation>
    </message>
</context>
<context>
    <name>TFrmDiskInfo</name>
    <message>
        <source>Informations du disque</source>
        <translation>Drive information</translation>
    </message>
    <message>
        <source>Повний об&apos;єм</source>
        <translation>Total capacity</translation>
    </message>
    <message>
        <source>Вільного місця</source>
        <translation>Free space</translation>
    </message>
    <message>
        <source>Корисний об&apos;єм</source>
        <translation>Used space</translation>
    </message>
    <message>
        <source>Файлова система</source>
        <translation>File system</translation>
    </message>
    <message>
        <source>Тип</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Номер і серія</source>
        <translation>Serial number</translation>
    </message>
    <message>
        <source>(Неназваний диск)</source>
        <translation>(Unnamed drive)</translation>
    </message>
    <message>
        <source>Resource %1 not found</source>
        <translation>Resource %1 not found</translation>
    </message>
    <message>
        <source>Icon image is not valid</source>
        <translation>Icon image is not valid</translation>
    </message>
</context>
<context>
    <name>TFrmHistory</name>
    <message>
        <source>Доба</source>
        <translation>Day</translation>
    </message>
    <message>
        <source>Тиждень</source>
        <translation>Week</translation>
    </message>
    <message>
        <source>Місяць</source>
        <translation>Month</translation>
    </message>
    <message>
        <source>Рік</source>
        <translation>Year</translation>
    </message>
    <message>
        <source>Проміжок</source>
        <translation>Span</translation>
    </message>
    <message>
        <source>Історія диска %1</source>
        <translation>History of %1</translation>
    </message>
    <message>
        <source>Історія диска %1 (відсутній)</source>
        <translation>History of %1 (absent)</translation>
    </message>
    <message>
        <source>Історії ще немає</source>
        <translation>No history yet</translation>
    </message>
    <message>
        <source>Зайняте зросло на %1 за %2</source>
        <translation>Used grew by %1 in %2</translation>
    </message>
    <message>
        <source>Зайняте зменшилося на %1 за %2</source>
        <translation>Used shrank by %1 in %2</translation>
    </message>
    <message>
        <source>%1; заповниться приблизно за %2</source>
        <translation>%1; full in about %2</translation>
    </message>
    <message>
        <source>Диск відсутній. %1</source>
        <translation>The drive is absent. %1</translation>
    </message>
</context>
<context>
    <name>TFrmMain</name>
    <message>
        <source>NETWORK DISKS VALUE</source>
        <translation>NETWORK DISKS VALUE</translation>
    </message>
    <message>
        <source>Vollmark - Total: %1 (%2 Free)</source>
        <translation>Vollmark - Total: %1 (%2 Free)</translation>
    </message>
    <message>
        <source>LOCAL DISKS VALUE</source>
        <translation>LOCAL DISKS VALUE</translation>
    </message>
    <message>
        <source>Інформація про діск...</source>
        <translation>Drive information...</translation>
    </message>
    <message>
        <source>Обновити</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>Опції</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Обчислити ємкість, як:</source>
        <translation>Calculate capacity with:</translation>
    </message>
    <message>
        <source>Обєднати в:</source>
        <translation>Unit words:</translation>
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
        <translation>Display format</translation>
    </message>
    <message>
        <source>Кілобайти</source>
        <translation>Kilobytes</translation>
    </message>
    <message>
        <source>Мегабайти</source>
        <translation>Megabytes</translation>
    </message>
    <message>
        <source>Гігабайти</source>
        <translation>Gigabytes</translation>
    </message>
    <message>
        <source>Терабайти</source>
        <translation>Terabytes</translation>
    </message>
    <message>
        <source>Прозрачність</source>
        <translation>Transparency</translation>
    </message>
    <message>
        <source>Залишити вершину</source>
        <translation>Stay on top</translation>
    </message>
    <message>
        <source>Закрити</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Композитор Wayland не дає вікну змінити прозорість</source>
        <translation>The Wayland compositor does not let a window change its transparency</translation>
    </message>
    <message>
        <source>Композитор Wayland не дає вікну залишатися поверх інших</source>
        <translation>The Wayland compositor does not let a window stay above the others</translation>
    </message>
    <message>
        <source>Запускати під час входу</source>
        <translation>Start at log-in</translation>
    </message>
    <message>
        <source>Попереджати, коли диск заповнюється</source>
        <translation>Warn when a drive fills up</translation>
    </message>
    <message>
        <source>Історія диска...</source>
        <translation>Drive history...</translation>
    </message>
    <message>
        <source>Що займає місце...</source>
        <translation>What takes the space...</translation>
    </message>
</context>
<context>
    <name>TFrmSpace</name>
    <message>
        <source>Тека</source>
        <translation>Folder</translation>
    </message>
    <message>
        <source>Вгору</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>Відкрити теку</source>
        <translation>Open folder</translation>
    </message>
    <message>
        <source>з учора</source>
        <translation>since yesterday</translation>
    </message>
    <message>
        <source>за тиждень</source>
        <translation>over a week</translation>
    </message>
    <message>
        <source>за місяць</source>
        <translation>over a month</translation>
    </message>
    <message>
        <source>Зміна</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>Пересканувати</source>
        <translation>Rescan</translation>
    </message>
    <message>
        <source>Сканування</source>
        <translation>Scan</translation>
    </message>
    <message>
        <source>Скасувати</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Теки</source>
        <translation>Folders</translation>
    </message>
    <message>
        <source>Найбільші файли</source>
        <translation>Largest files</translation>
    </message>
    <message>
        <source>Розмір</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>Файл</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Що займає місце на %1</source>
        <translation>What takes the space on %1</translation>
    </message>
    <message>
        <source>Знімків ще немає: диск сканується</source>
        <translation>No snapshots yet: the drive is being scanned</translation>
    </message>
    <message>
        <source>Знімків ще немає</source>
        <translation>No snapshots yet</translation>
    </message>
    <message>
        <source>щойно</source>
        <translation>just now</translation>
    </message>
    <message>
        <source>%1 тому</source>
        <translation>%1 ago</translation>
    </message>
    <message>
        <source>Знімок %1</source>
        <translation>Snapshot %1</translation>
    </message>
    <message>
        <source>%1, порівняно зі знімком %2</source>
        <translation>%1, compared with the snapshot %2</translation>
    </message>
    <message>
        <source>%1; раніших знімків для порівняння немає</source>
        <translation>%1; no earlier snapshot to compare with</translation>
    </message>
    <message>
        <source>Сканування скасовано</source>
        <translation>Scan cancelled</translation>
    </message>
    <message>
        <source>%1 записів, %2</source>
        <translation>%1 entries, %2</translation>
    </message>
    <message>
        <source>Не вдалося просканувати диск: %1</source>
        <translation>Cannot scan the drive: %1</translation>
    </message>
    <message>
        <source>Знімок не збережено в історії: %1</source>
        <translation>The snapshot was not kept in the history: %1</translation>
    </message>
    <message>
        <source>Не вдалося відкрити теку %1</source>
        <translation>Cannot open the folder %1</translation>
    </message>
    <message>
        <source>без змін</source>
        <translation>unchanged</translation>
    </message>
    <message>
        <source>%1 (%2 за день)</source>
        <translation>%1 (%2 a day)</translation>
    </message>
    <message>
        <source>файлів: %1</source>
        <translation>files: %1</translation>
    </message>
    <message>
        <source>Файли й дрібні теки</source>
        <translation>Files and small folders</translation>
    </message>
    <message>
        <source>Простір, якого не пояснює жодна тека</source>
        <translation>Space no folder explains</translation>
    </message>
    <message>
        <source>резерв %1</source>
        <translation>reserved %1</translation>
    </message>
    <message>
        <source>видалені відкриті %1</source>
        <translation>deleted but open %1</translation>
    </message>
    <message>
        <source>решта %1</source>
        <translation>rest %1</translation>
    </message>
    <message>
        <source>зміна %1</source>
        <translation>change %1</translation>
    </message>
    <message>
        <source>Зарезервовано для адміністратора: %1</source>
        <translation>Reserved for the administrator: %1</translation>
    </message>
    <message>
        <source>Видалений, але відкритий у %1 (pid %2): %3, %4</source>
        <translation>Deleted, still open in %1 (pid %2): %3, %4</translation>
    </message>
    <message>
        <source>Решта (службові дані файлової системи, нечитабельні теки): %1</source>
        <translation>The rest (file-system overhead, unreadable folders): %1</translation>
    </message>
</context>
<context>
    <name>TGrowthMap</name>
    <message>
        <source>Карта росту</source>
        <translation>Growth map</translation>
    </message>
    <message>
        <source>зміна невідома</source>
        <translation>change unknown</translation>
    </message>
    <message>
        <source>без змін</source>
        <translation>unchanged</translation>
    </message>
    <message>
        <source>зміна %1</source>
        <translation>change %1</translation>
    </message>
    <message>
        <source>%1 (%2 за день)</source>
        <translation>%1 (%2 a day)</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>Площа плитки — розмір теки, колір — зміна: тепле зросло, холодне зменшилося, сіре без змін</source>
        <translation>A tile&apos;s area is the folder&apos;s size, its colour the change: warm grew, cool shrank, grey unchanged</translation>
    </message>
    <message>
        <source>Площа й колір плитки — розмір теки: раніших знімків немає, тож змін не видно</source>
        <translation>A tile&apos;s area and colour are the folder&apos;s size: there is no earlier snapshot, so no change shows</translation>
    </message>
    <message>
        <source>Колір за розміром: раніших знімків немає</source>
        <translation>Colour by size: no earlier snapshot</translation>
    </message>
    <message>
        <source>зросло</source>
        <translation>grew</translation>
    </message>
    <message>
        <source>зменшилося</source>
        <translation>shrank</translation>
    </message>
</context>
</TS>
