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
        <source>ヒント(&amp;H)</source>
        <translation>&amp;Hint</translation>
    </message>
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
<context>
    <name>zelkon::ExplanationPanel</name>
    <message>
        <source>ヒント</source>
        <translation>Hint</translation>
    </message>
    <message>
        <source>ほかの読み方（%1）</source>
        <translation>Other readings (%1)</translation>
    </message>
    <message>
        <source>解答すると、ここに解説が表示されます</source>
        <translation>Answer, and the explanation shows here</translation>
    </message>
</context>
<context>
    <name>zelkon::HandEntryDialog</name>
    <message>
        <source>問題を入力</source>
        <translation>Enter a hand</translation>
    </message>
    <message>
        <source>手牌を数字4・7・10・13個のどれかで入力してください（例：1112345678999p）。
最後にm（マンズ）・p（ピンズ）・s（ソウズ）を付けると牌の種類を選べます（付けなければ今の種類のまま）。</source>
        <translation>Enter the hand as 4, 7, 10 or 13 digits (for example 1112345678999p).
A last letter m (manzu), p (pinzu) or s (souzu) chooses the suit (without one, the suit stays as it is).</translation>
    </message>
</context>
<context>
    <name>zelkon::PracticeRuns</name>
    <message>
        <source>枚数(&amp;N)</source>
        <translation>&amp;Tiles</translation>
    </message>
    <message>
        <source>4枚</source>
        <translation>4 tiles</translation>
    </message>
    <message>
        <source>7枚</source>
        <translation>7 tiles</translation>
    </message>
    <message>
        <source>10枚</source>
        <translation>10 tiles</translation>
    </message>
    <message>
        <source>13枚</source>
        <translation>13 tiles</translation>
    </message>
    <message>
        <source>形(&amp;F)</source>
        <translation>&amp;Form</translation>
    </message>
    <message>
        <source>すべての形</source>
        <translation>All forms</translation>
    </message>
    <message>
        <source>段階練習(&amp;L)</source>
        <translation>&amp;Ladder</translation>
    </message>
    <message>
        <source>すべての手(&amp;A)</source>
        <translation>&amp;All hands</translation>
    </message>
    <message>
        <source>待ち1〜2種(&amp;1)</source>
        <translation>&amp;1–2 waits</translation>
    </message>
    <message>
        <source>待ち3〜4種(&amp;3)</source>
        <translation>&amp;3–4 waits</translation>
    </message>
    <message>
        <source>待ち5種以上(&amp;5)</source>
        <translation>&amp;5 or more waits</translation>
    </message>
    <message>
        <source>出題(&amp;D)</source>
        <translation>&amp;Deal</translation>
    </message>
    <message>
        <source>タイムアタック(&amp;T)</source>
        <translation>&amp;Time attack</translation>
    </message>
    <message>
        <source>問題を入力(&amp;I)...</source>
        <translation>&amp;Input a hand...</translation>
    </message>
    <message>
        <source>問題をコピー(&amp;C)</source>
        <translation>&amp;Copy the hand</translation>
    </message>
    <message>
        <source>&#x3000;</source>
        <translation>  </translation>
    </message>
</context>
<context>
    <name>zelkon::RecordsFeature</name>
    <message>
        <source>成績を記録する(&amp;R)</source>
        <translation>&amp;Record answers</translation>
    </message>
    <message>
        <source>復習(&amp;V)</source>
        <translation>Re&amp;view</translation>
    </message>
    <message>
        <source>成績(&amp;S)...</source>
        <translation>&amp;Statistics...</translation>
    </message>
    <message>
        <source>苦手な形(&amp;W)</source>
        <translation>&amp;Weak shapes</translation>
    </message>
</context>
<context>
    <name>zelkon::RecordsTexts</name>
    <message>
        <source>復習 %1問</source>
        <translation>Review: %1</translation>
    </message>
    <message>
        <source>ディスクがいっぱいで、この解答を成績ファイル「%1」に記録できませんでした。空きができれば、次の解答から記録を続けます。</source>
        <translation>The disk is full: this answer could not be recorded in the records file “%1”. Recording goes on from the next answer once there is room.</translation>
    </message>
    <message>
        <source>成績ファイル「%1」をほかのプログラムが使用中で、この解答を記録できませんでした。次の解答から記録を続けます。</source>
        <translation>Another program is using the records file “%1”: this answer could not be recorded. Recording goes on from the next answer.</translation>
    </message>
    <message>
        <source>成績ファイル「%1」が壊れていて、この解答を記録できませんでした。</source>
        <translation>The records file “%1” is damaged: this answer could not be recorded.</translation>
    </message>
    <message>
        <source>成績ファイル「%1」に書き込めず、この解答を記録できませんでした。書き込めるようになれば、次の解答から記録を続けます。</source>
        <translation>Cannot write to the records file “%1”: this answer could not be recorded. Recording goes on from the next answer once it can be written.</translation>
    </message>
    <message>
        <source>成績を記録せずに続けます。</source>
        <translation>The program goes on without recording.</translation>
    </message>
    <message>
        <source>「%1」は成績ファイルではありません。このファイルは変更せず、%2</source>
        <translation>“%1” is not a records file. It stays unchanged. %2</translation>
    </message>
    <message>
        <source>「%1」はこのプログラムより新しい形式の成績ファイルです。このファイルは変更せず、%2</source>
        <translation>“%1” is a records file of a newer format than this program knows. It stays unchanged. %2</translation>
    </message>
    <message>
        <source>成績ファイル「%1」は壊れています。このファイルは変更せず、%2</source>
        <translation>The records file “%1” is damaged. It stays unchanged. %2</translation>
    </message>
    <message>
        <source>ディスクがいっぱいで、成績ファイル「%1」に書き込めません。%2</source>
        <translation>The disk is full: cannot write to the records file “%1”. %2</translation>
    </message>
    <message>
        <source>成績ファイル「%1」はほかのプログラムが使用中です。%2</source>
        <translation>Another program is using the records file “%1”. %2</translation>
    </message>
    <message>
        <source>成績ファイル「%1」を読み書きできません（ディスクの読み書きに失敗しました）。%2</source>
        <translation>Cannot read or write the records file “%1” (the disk failed). %2</translation>
    </message>
    <message>
        <source>成績ファイル「%1」に書き込めません。%2</source>
        <translation>Cannot write to the records file “%1”. %2</translation>
    </message>
    <message>
        <source>成績ファイルの保存先がわかりません（HOME も XDG_DATA_HOME も設定されていません）。成績を記録せずに続けます。</source>
        <translation>There is no place for the records file (neither HOME nor XDG_DATA_HOME is set). The program goes on without recording.</translation>
    </message>
    <message>
        <source>成績ウィンドウを開けません（%1）。</source>
        <translation>Cannot open the statistics window (%1).</translation>
    </message>
    <message>
        <source>成績ファイルを新しい形式に更新しています…</source>
        <translation>Updating the records file to the new format…</translation>
    </message>
    <message>
        <source>出題：苦手な形（%1待ち）</source>
        <translation>Deal: weak shape (%1)</translation>
    </message>
    <message>
        <source>%1&#x3000;%2&#x3000;選んだ牌：%3&#x3000;待ち：%4</source>
        <translation>%1  %2  picked: %3  waits: %4</translation>
    </message>
    <message>
        <source>出題：苦手な形（%1）</source>
        <translation>Deal: weak family (%1)</translation>
    </message>
</context>
<context>
    <name>zelkon::StatisticsWindow</name>
    <message>
        <source>%1種</source>
        <translation>%1</translation>
    </message>
    <message>
        <source>問題数</source>
        <translation>Problems</translation>
    </message>
    <message>
        <source>待ちの形ごとの見逃し率</source>
        <translation>Missed rate by wait shape</translation>
    </message>
    <message>
        <source>見逃し率</source>
        <translation>Missed rate</translation>
    </message>
    <message>
        <source>成績</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>まだ記録がありません。問題に答えると、ここに成績が表示されます。</source>
        <translation>No records yet. Answer problems, and your statistics show here.</translation>
    </message>
    <message>
        <source>最近間違えた問題（ダブルクリックでもう一度出題）</source>
        <translation>Recent mistakes (double-click one to deal it again)</translation>
    </message>
    <message>
        <source>問題数 %1問&#x3000;完全正解 %2問（%3%）&#x3000;1問の所要時間（中央値）%4秒</source>
        <translation>Problems %1   perfect %2 (%3%)   time per problem (median) %4 s</translation>
    </message>
    <message>
        <source>待ちの種類数ごとの完全正解率</source>
        <translation>Perfect rate by number of waits</translation>
    </message>
    <message>
        <source>完全正解率</source>
        <translation>Perfect rate</translation>
    </message>
    <message>
        <source>対象の待ち（延べ）</source>
        <translation>Waits seen (in all)</translation>
    </message>
    <message>
        <source>日ごとの問題数と完全正解率（%1〜%2）</source>
        <translation>Problems and perfect rate by day (%1–%2)</translation>
    </message>
    <message>
        <source>成績を集計しています…</source>
        <translation>Counting the records…</translation>
    </message>
    <message>
        <source>形ごとの完全正解率</source>
        <translation>Perfect rate by shape family</translation>
    </message>
    <message>
        <source>&#x3000;ヒントを使った問題 %1問（%2%）</source>
        <translation>   hints used %1 (%2%)</translation>
    </message>
    <message>
        <source>%1問</source>
        <translation>%1</translation>
    </message>
</context>
<context>
    <name>zelkon::TimedRunController</name>
    <message>
        <source>タイムアタック</source>
        <translation>Time attack</translation>
    </message>
    <message>
        <source>タイムアタックを中止しますか？</source>
        <translation>Stop the time attack?</translation>
    </message>
    <message>
        <source>タイム&#x3000;%1
完全正解&#x3000;%2 / %3問
見逃した待ち&#x3000;延べ%4種
待ちでない牌の選択&#x3000;延べ%5種</source>
        <translation>Time  %1
Perfect  %2 / %3
Missed waits  %4 in all
Wrong picks  %5 in all</translation>
    </message>
    <message>
        <source>最高記録</source>
        <translation>Best time</translation>
    </message>
    <message>
        <source>「%1」の最高記録</source>
        <translation>Best time of “%1”</translation>
    </message>
    <message>
        <source>&#x3000;</source>
        <translation>  </translation>
    </message>
    <message>
        <source>（新記録）</source>
        <translation> (new record)</translation>
    </message>
</context>
</TS>
