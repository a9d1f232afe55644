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
    <name>DriveWarnings</name>
    <message>
        <source>Відкрити</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Не попереджати про цей диск</source>
        <translation>Ne plus avertir pour ce disque</translation>
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
        <translation>%1 jours</translation>
    </message>
    <message>
        <source>Заповниться приблизно за %1</source>
        <translation>Plein dans environ %1</translation>
    </message>
    <message>
        <source>Мало місця на диску %1</source>
        <translation>Espace disque faible sur %1</translation>
    </message>
    <message>
        <source>Диск %1 швидко заповнюється</source>
        <translation>%1 se remplit vite</translation>
    </message>
    <message>
        <source>Вільно: %1.</source>
        <translation>Libre : %1.</translation>
    </message>
    <message>
        <source>Що займає місце...</source>
        <translation>Ce qui occupe l&apos;espace...</translation>
    </message>
    <message>
        <source>Найбільше зросла тека %1: %2 з учорашнього дня</source>
        <translation>%1 a le plus grandi : %2 depuis hier</translation>
    </message>
    <message>
        <source>Найбільше зросла тека %1: %2 за %3</source>
        <translation>%1 a le plus grandi : %2 en %3</translation>
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
    <name>TFrmHistory</name>
    <message>
        <source>Доба</source>
        <translation>Jour</translation>
    </message>
    <message>
        <source>Тиждень</source>
        <translation>Semaine</translation>
    </message>
    <message>
        <source>Місяць</source>
        <translation>Mois</translation>
    </message>
    <message>
        <source>Рік</source>
        <translation>Année</translation>
    </message>
    <message>
        <source>Проміжок</source>
        <translation>Période</translation>
    </message>
    <message>
        <source>Історія диска %1</source>
        <translation>Historique de %1</translation>
    </message>
    <message>
        <source>Історія диска %1 (відсутній)</source>
        <translation>Historique de %1 (absent)</translation>
    </message>
    <message>
        <source>Історії ще немає</source>
        <translation>Pas encore d'historique</translation>
    </message>
    <message>
        <source>Зайняте зросло на %1 за %2</source>
        <translation>L'espace utilisé a augmenté de %1 en %2</translation>
    </message>
    <message>
        <source>Зайняте зменшилося на %1 за %2</source>
        <translation>L'espace utilisé a diminué de %1 en %2</translation>
    </message>
    <message>
        <source>%1; заповниться приблизно за %2</source>
        <translation>%1 ; plein dans environ %2</translation>
    </message>
    <message>
        <source>Диск відсутній. %1</source>
        <translation>Le disque est absent. %1</translation>
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
    <message>
        <source>Попереджати, коли диск заповнюється</source>
        <translation>Avertir quand un disque se remplit</translation>
    </message>
    <message>
        <source>Історія диска...</source>
        <translation>Historique du disque...</translation>
    </message>
    <message>
        <source>Що займає місце...</source>
        <translation>Ce qui occupe l'espace...</translation>
    </message>
</context>
<context>
    <name>TFrmSpace</name>
    <message>
        <source>Тека</source>
        <translation>Dossier</translation>
    </message>
    <message>
        <source>Вгору</source>
        <translation>Monter</translation>
    </message>
    <message>
        <source>Відкрити теку</source>
        <translation>Ouvrir le dossier</translation>
    </message>
    <message>
        <source>з учора</source>
        <translation>depuis hier</translation>
    </message>
    <message>
        <source>за тиждень</source>
        <translation>sur une semaine</translation>
    </message>
    <message>
        <source>за місяць</source>
        <translation>sur un mois</translation>
    </message>
    <message>
        <source>Зміна</source>
        <translation>Variation</translation>
    </message>
    <message>
        <source>Пересканувати</source>
        <translation>Réanalyser</translation>
    </message>
    <message>
        <source>Сканування</source>
        <translation>Analyse</translation>
    </message>
    <message>
        <source>Скасувати</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Теки</source>
        <translation>Dossiers</translation>
    </message>
    <message>
        <source>Найбільші файли</source>
        <translation>Plus gros fichiers</translation>
    </message>
    <message>
        <source>Розмір</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>Файл</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Що займає місце на %1</source>
        <translation>Ce qui occupe l'espace sur %1</translation>
    </message>
    <message>
        <source>Знімків ще немає: диск сканується</source>
        <translation>Pas encore d'instantané : le disque est en cours d'analyse</translation>
    </message>
    <message>
        <source>Знімків ще немає</source>
        <translation>Pas encore d'instantané</translation>
    </message>
    <message>
        <source>щойно</source>
        <translation>à l'instant</translation>
    </message>
    <message>
        <source>%1 тому</source>
        <translation>il y a %1</translation>
    </message>
    <message>
        <source>Знімок %1</source>
        <translation>Instantané %1</translation>
    </message>
    <message>
        <source>%1, порівняно зі знімком %2</source>
        <translation>%1, comparé à l'instantané %2</translation>
    </message>
    <message>
        <source>%1; раніших знімків для порівняння немає</source>
        <translation>%1 ; aucun instantané antérieur pour comparer</translation>
    </message>
    <message>
        <source>Сканування скасовано</source>
        <translation>Analyse annulée</translation>
    </message>
    <message>
        <source>%1 записів, %2</source>
        <translation>%1 entrées, %2</translation>
    </message>
    <message>
        <source>Не вдалося просканувати диск: %1</source>
        <translation>Impossible d'analyser le disque : %1</translation>
    </message>
    <message>
        <source>Знімок не збережено в історії: %1</source>
        <translation>L'instantané n'a pas été enregistré dans l'historique : %1</translation>
    </message>
    <message>
        <source>Не вдалося відкрити теку %1</source>
        <translation>Impossible d'ouvrir le dossier %1</translation>
    </message>
    <message>
        <source>без змін</source>
        <translation>inchangé</translation>
    </message>
    <message>
        <source>%1 (%2 за день)</source>
        <translation>%1 (%2 par jour)</translation>
    </message>
    <message>
        <source>файлів: %1</source>
        <translation>fichiers : %1</translation>
    </message>
    <message>
        <source>Файли й дрібні теки</source>
        <translation>Fichiers et petits dossiers</translation>
    </message>
    <message>
        <source>Простір, якого не пояснює жодна тека</source>
        <translation>Espace qu'aucun dossier n'explique</translation>
    </message>
    <message>
        <source>резерв %1</source>
        <translation>réservé %1</translation>
    </message>
    <message>
        <source>видалені відкриті %1</source>
        <translation>supprimés mais ouverts %1</translation>
    </message>
    <message>
        <source>решта %1</source>
        <translation>reste %1</translation>
    </message>
    <message>
        <source>зміна %1</source>
        <translation>variation %1</translation>
    </message>
    <message>
        <source>Зарезервовано для адміністратора: %1</source>
        <translation>Réservé à l'administrateur : %1</translation>
    </message>
    <message>
        <source>Видалений, але відкритий у %1 (pid %2): %3, %4</source>
        <translation>Supprimé, encore ouvert par %1 (pid %2) : %3, %4</translation>
    </message>
    <message>
        <source>Решта (службові дані файлової системи, нечитабельні теки): %1</source>
        <translation>Le reste (données de gestion du système de fichiers, dossiers illisibles) : %1</translation>
    </message>
</context>
<context>
    <name>TGrowthMap</name>
    <message>
        <source>Карта росту</source>
        <translation>Carte de croissance</translation>
    </message>
    <message>
        <source>зміна невідома</source>
        <translation>variation inconnue</translation>
    </message>
    <message>
        <source>без змін</source>
        <translation>inchangé</translation>
    </message>
    <message>
        <source>зміна %1</source>
        <translation>variation %1</translation>
    </message>
    <message>
        <source>%1 (%2 за день)</source>
        <translation>%1 (%2 par jour)</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>Площа плитки — розмір теки, колір — зміна: тепле зросло, холодне зменшилося, сіре без змін</source>
        <translation>La surface d&apos;une tuile est la taille du dossier, sa couleur la variation : chaud a augmenté, froid a diminué, gris inchangé</translation>
    </message>
    <message>
        <source>Площа й колір плитки — розмір теки: раніших знімків немає, тож змін не видно</source>
        <translation>La surface et la couleur d&apos;une tuile sont la taille du dossier : aucun instantané antérieur, donc aucune variation visible</translation>
    </message>
    <message>
        <source>Колір за розміром: раніших знімків немає</source>
        <translation>Couleur selon la taille : aucun instantané antérieur</translation>
    </message>
    <message>
        <source>зросло</source>
        <translation>augmenté</translation>
    </message>
    <message>
        <source>зменшилося</source>
        <translation>diminué</translation>
    </message>
</context>
</TS>
