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
</context>
</TS>
