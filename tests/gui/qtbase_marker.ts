<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- A stand-in for Qt's own translation with a Yes button that no real language has, so that a
     test can tell which file was loaded. -->
<TS version="2.1" language="de_DE">
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Jawohl</translation>
    </message>
</context>
</TS>
