<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>zelkon::CAboutDlg</name>
    <message>
        <source>バージョン情報</source>
        <translation>About Zelkon</translation>
    </message>
    <message>
        <source>カルデナ&#x3000;Version 1.0</source>
        <translation>Zelkon Version 1.0</translation>
    </message>
</context>
<context>
    <name>zelkon::CMainFrame</name>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>リセット(&amp;R)</source>
        <translation>&amp;Reset</translation>
    </message>
    <message>
        <source>アプリケーションの終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>設定(&amp;C)</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>牌の種類(&amp;P)</source>
        <translation>S&amp;uit</translation>
    </message>
    <message>
        <source>ランダム</source>
        <translation>&amp;Random</translation>
    </message>
    <message>
        <source>マンズ</source>
        <translation>&amp;Manzu (characters)</translation>
    </message>
    <message>
        <source>ソウズ</source>
        <translation>&amp;Souzu (bamboo)</translation>
    </message>
    <message>
        <source>ピンズ</source>
        <translation>&amp;Pinzu (circles)</translation>
    </message>
    <message>
        <source>理牌(&amp;R)</source>
        <translation>S&amp;ort tiles</translation>
    </message>
    <message>
        <source>する</source>
        <translation>&amp;On</translation>
    </message>
    <message>
        <source>しない</source>
        <translation>O&amp;ff</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>バージョン情報 Zelkon(&amp;A)...</source>
        <translation>&amp;About Zelkon...</translation>
    </message>
    <message>
        <source>練習(&amp;P)</source>
        <translation>&amp;Practice</translation>
    </message>
    <message>
        <source>解説を表示(&amp;E)</source>
        <translation>Show &amp;explanation</translation>
    </message>
    <message>
        <source>言語(&amp;L)</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>カルデナ</source>
        <translation>Zelkon</translation>
    </message>
</context>
<context>
    <name>zelkon::CZelkonView</name>
    <message>
        <source>次へ</source>
        <translation>Next</translation>
    </message>
</context>
</TS>
