<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="uk">
<context>
    <name>DriveType</name>
    <message>
        <source>Unknow</source>
        <translation>Inconnu</translation>
    </message>
    <message>
        <source>Local drive</source>
        <translation>Disque local</translation>
    </message>
    <message>
        <source>Removable drive</source>
        <translation>Disque amovible</translation>
    </message>
    <message>
        <source>Network drive</source>
        <translation>Lecteur réseau</translation>
    </message>
    <message>
        <source>CD/DVD rom</source>
        <translation>Lecteur CD/DVD</translation>
    </message>
    <message>
        <source>RAM disk</source>
        <translation>Disque RAM</translation>
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
        <translation>Libre</translation>
    </message>
    <message>
        <source>Used</source>
        <translation>Utilisé</translation>
    </message>
    <message>
        <source>Total %1, Free %2, Used %3, %4</source>
        <translation>Total %1, libre %2, utilisé %3, %4</translation>
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
Total : %2
Libre : %3
Utilisé : %4</translation>
    </message>
</context>
<context>
    <name>TAboutBox</name>
    <message>
        <source>11111</source>
        <translation>À propos de Vollmark</translation>
    </message>
</context>
<context>
    <name>TFrmAbout</name>
    <message>
        <source>A propos</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Resource %1 not found</source>
        <translation>Ressource %1 introuvable</translation>
    </message>
    <message>
        <source>Cannot create file &quot;%1&quot;. %2</source>
        <translation>Impossible de créer le fichier « %1 ». %2</translation>
    </message>
</context>
<context>
    <name>TFrmDiskInfo</name>
    <message>
        <source>Informations du disque</source>
        <translation>Informations du disque</translation>
    </message>
    <message>
        <source>Повний об&apos;єм</source>
        <translation>Capacité totale</translation>
    </message>
    <message>
        <source>Вільного місця</source>
        <translation>Espace libre</translation>
    </message>
    <message>
        <source>Корисний об&apos;єм</source>
        <translation>Espace utilisé</translation>
    </message>
    <message>
        <source>Файлова система</source>
        <translation>Système de fichiers</translation>
    </message>
    <message>
        <source>Тип</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Номер і серія</source>
        <translation>Numéro de série</translation>
    </message>
    <message>
        <source>(Неназваний диск)</source>
        <translation>(Disque sans nom)</translation>
    </message>
    <message>
        <source>Resource %1 not found</source>
        <translation>Ressource %1 introuvable</translation>
    </message>
    <message>
        <source>Icon image is not valid</source>
        <translation>L&apos;image de l&apos;icône n&apos;est pas valide</translation>
    </message>
</context>
<context>
    <name>TFrmMain</name>
    <message>
        <source>NETWORK DISKS VALUE</source>
        <translation>DISQUES RÉSEAU</translation>
    </message>
    <message>
        <source>Vollmark - Total: %1 (%2 Free)</source>
        <translation>Vollmark - Total : %1 (%2 libre)</translation>
    </message>
    <message>
        <source>LOCAL DISKS VALUE</source>
        <translation>DISQUES LOCAUX</translation>
    </message>
    <message>
        <source>Інформація про діск...</source>
        <translation>Informations du disque...</translation>
    </message>
    <message>
        <source>Обновити</source>
        <translation>Actualiser</translation>
    </message>
    <message>
        <source>Опції</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Обчислити ємкість, як:</source>
        <translation>Calculer la capacité avec :</translation>
    </message>
    <message>
        <source>Обєднати в:</source>
        <translation>Mots d&apos;unité :</translation>
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
        <translation>Format d&apos;affichage</translation>
    </message>
    <message>
        <source>Кілобайти</source>
        <translation>Kilo-octets</translation>
    </message>
    <message>
        <source>Мегабайти</source>
        <translation>Méga-octets</translation>
    </message>
    <message>
        <source>Гігабайти</source>
        <translation>Giga-octets</translation>
    </message>
    <message>
        <source>Терабайти</source>
        <translation>Téra-octets</translation>
    </message>
    <message>
        <source>Прозрачність</source>
        <translation>Transparence</translation>
    </message>
    <message>
        <source>Залишити вершину</source>
        <translation>Toujours au premier plan</translation>
    </message>
    <message>
        <source>Закрити</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Композитор Wayland не дає вікну змінити прозорість</source>
        <translation>Le compositeur Wayland ne permet pas à une fenêtre de changer sa transparence</translation>
    </message>
    <message>
        <source>Композитор Wayland не дає вікну залишатися поверх інших</source>
        <translation>Le compositeur Wayland ne permet pas à une fenêtre de rester au-dessus des autres</translation>
    </message>
    <message>
        <source>Запускати під час входу</source>
        <translation>Lancer à l’ouverture de session</translation>
    </message>
</context>
</TS>
