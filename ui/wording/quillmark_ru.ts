<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="ru_RU">
<context>
    <name>Wording</name>
    <message numerus="yes">
        <source>Список не тронут. Прошлое сохранение в этот файл было прервано, а дописать его не удалось: в файле только начало того списка (записей: %Ln). Весь тот список сохранён в файле
%1</source>
        <translation>
            <numerusform>Список не тронут. Прошлое сохранение в этот файл было прервано, а дописать его не удалось: в файле только начало того списка (записей: %Ln). Весь тот список сохранён в файле
%1</numerusform>
            <numerusform>Список не тронут. Прошлое сохранение в этот файл было прервано, а дописать его не удалось: в файле только начало того списка (записей: %Ln). Весь тот список сохранён в файле
%1</numerusform>
            <numerusform>Список не тронут. Прошлое сохранение в этот файл было прервано, а дописать его не удалось: в файле только начало того списка (записей: %Ln). Весь тот список сохранён в файле
%1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Список не тронут, но файл записан не полностью: в нём только начало нового списка (записей: %Ln из %1). Весь новый список сохранён в файле
%2</source>
        <translation>
            <numerusform>Список не тронут, но файл записан не полностью: в нём только начало нового списка (записей: %Ln из %1). Весь новый список сохранён в файле
%2</numerusform>
            <numerusform>Список не тронут, но файл записан не полностью: в нём только начало нового списка (записей: %Ln из %1). Весь новый список сохранён в файле
%2</numerusform>
            <numerusform>Список не тронут, но файл записан не полностью: в нём только начало нового списка (записей: %Ln из %1). Весь новый список сохранён в файле
%2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>

Прерванное сохранение оставило списки, которые программа не тронула: нельзя убедиться, что их записала она, или файл NIK.log с тех пор заменён (файлов: %Ln). Посмотрите их и удалите сами:
%1</source>
        <translation>
            <numerusform>

Прерванное сохранение оставило список, который программа не тронула: нельзя убедиться, что его записала она, или файл NIK.log с тех пор заменён (файлов: %Ln). Посмотрите его и удалите сами:
%1</numerusform>
            <numerusform>

Прерванное сохранение оставило списки, которые программа не тронула: нельзя убедиться, что их записала она, или файл NIK.log с тех пор заменён (файлов: %Ln). Посмотрите их и удалите сами:
%1</numerusform>
            <numerusform>

Прерванное сохранение оставило списки, которые программа не тронула: нельзя убедиться, что их записала она, или файл NIK.log с тех пор заменён (файлов: %Ln). Посмотрите их и удалите сами:
%1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Сохранено ников: %Ln
%1</source>
        <translation>
            <numerusform>Сохранено ников: %Ln
%1</numerusform>
            <numerusform>Сохранено ников: %Ln
%1</numerusform>
            <numerusform>Сохранено ников: %Ln
%1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>сохранено ников: %Ln, файл %1</source>
        <translation>
            <numerusform>сохранено ников: %Ln, файл %1</numerusform>
            <numerusform>сохранено ников: %Ln, файл %1</numerusform>
            <numerusform>сохранено ников: %Ln, файл %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>

Прошлое сохранение в файл NIK.log в папке программы было прервано, а дописать его не удалось: в нём только начало того списка (записей: %Ln). Весь тот список сохранён в файле
%1</source>
        <translation>
            <numerusform>

Прошлое сохранение в файл NIK.log в папке программы было прервано, а дописать его не удалось: в нём только начало того списка (записей: %Ln). Весь тот список сохранён в файле
%1</numerusform>
            <numerusform>

Прошлое сохранение в файл NIK.log в папке программы было прервано, а дописать его не удалось: в нём только начало того списка (записей: %Ln). Весь тот список сохранён в файле
%1</numerusform>
            <numerusform>

Прошлое сохранение в файл NIK.log в папке программы было прервано, а дописать его не удалось: в нём только начало того списка (записей: %Ln). Весь тот список сохранён в файле
%1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>таймер остановлен, в списке %1 записей</source>
        <translation>
            <numerusform>таймер остановлен, в списке %1 запись</numerusform>
            <numerusform>таймер остановлен, в списке %1 записи</numerusform>
            <numerusform>таймер остановлен, в списке %1 записей</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>список возвращён, в нём %1 записей</source>
        <translation>
            <numerusform>список возвращён, в нём %1 запись</numerusform>
            <numerusform>список возвращён, в нём %1 записи</numerusform>
            <numerusform>список возвращён, в нём %1 записей</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>в списке %1 записей</source>
        <translation>
            <numerusform>в списке %1 запись</numerusform>
            <numerusform>в списке %1 записи</numerusform>
            <numerusform>в списке %1 записей</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>QGuiApplication</name>
    <message>
        <source>QT_LAYOUT_DIRECTION</source>
        <translation>LTR</translation>
    </message>
</context>
</TS>
