<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CharacterCards</name>
    <message>
        <source>Radical %1</source>
        <translation>部首 %1</translation>
    </message>
    <message numerus="yes">
        <source>%n stroke(s)</source>
        <translation>
            <numerusform>%n画</numerusform>
        </translation>
    </message>
    <message>
        <source>Strokes: %1</source>
        <translation>笔顺：%1</translation>
    </message>
</context>
<context>
    <name>CharacterListDialog</name>
    <message>
        <source>Add from the Character List</source>
        <translation>从字表添加</translation>
    </message>
    <message>
        <source>List</source>
        <translation>字表</translation>
    </message>
    <message>
        <source>Level %1 of the standard characters (%2)</source>
        <translation>通用规范汉字表 %1 级字（%2 字）</translation>
    </message>
    <message>
        <source>From</source>
        <translation>从</translation>
    </message>
    <message>
        <source>To</source>
        <translation>到</translation>
    </message>
    <message numerus="yes">
        <source>%n character(s): %1…</source>
        <translation>
            <numerusform>共 %n 个字：%1…</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CopyBookWidget</name>
    <message>
        <source>Page %1 of %2</source>
        <translation>第 %1 页 / 共 %2 页</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Print…</source>
        <translation>打印…</translation>
    </message>
    <message>
        <source>The printer&apos;s paper, %1, is smaller than the page, %2: the page&apos;s edges would not be printed. Print anyway?</source>
        <translation>打印机的纸张 %1 比页面 %2 小：页面的边缘将打印不出来。仍然打印吗？</translation>
    </message>
    <message>
        <source>Failed to print.</source>
        <translation>打印失败。</translation>
    </message>
    <message>
        <source>All</source>
        <translation>全描</translation>
    </message>
    <message>
        <source>Blank Lines</source>
        <translation>附加空行</translation>
    </message>
    <message>
        <source>Book Type</source>
        <translation>字帖类型</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Cell Size</source>
        <translation>格子大小</translation>
    </message>
    <message>
        <source>Common Chinese</source>
        <translation>仅常用汉字</translation>
    </message>
    <message>
        <source>Content</source>
        <translation>内容</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>临摹</translation>
    </message>
    <message>
        <source>Failed to save to PDF file.</source>
        <translation>保存PDF文件失败。</translation>
    </message>
    <message>
        <source>Font Name</source>
        <translation>字体名称</translation>
    </message>
    <message>
        <source>Font Size</source>
        <translation>字体大小</translation>
    </message>
    <message>
        <source>Grid Color</source>
        <translation>网格颜色</translation>
    </message>
    <message>
        <source>Grid Style</source>
        <translation>格子样式</translation>
    </message>
    <message>
        <source>Half</source>
        <translation>半描</translation>
    </message>
    <message>
        <source>Hollow</source>
        <translation>空心</translation>
    </message>
    <message>
        <source>Hui grid</source>
        <translation>回宫格</translation>
    </message>
    <message>
        <source>Lattiscribe</source>
        <translation>格书字帖</translation>
    </message>
    <message>
        <source>Lattiscribe %1
Build on %2 %3
Copyright © 2026 Kelvo. All rights reserved.</source>
        <translation>格书字帖 %1
编译时间 %2 %3
版权所有 © 2026 Kelvo。保留所有权利。</translation>
    </message>
    <message>
        <source>Mi grid</source>
        <translation>米字格</translation>
    </message>
    <message>
        <source>More Options</source>
        <translation>更多选项</translation>
    </message>
    <message>
        <source>Name fields</source>
        <translation>姓名栏</translation>
    </message>
    <message>
        <source>Nine-square grid</source>
        <translation>九宫格</translation>
    </message>
    <message>
        <source>None</source>
        <translation>不描</translation>
    </message>
    <message>
        <source>Opacity</source>
        <translation>透明度</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF文件 (*.pdf)</translation>
    </message>
    <message>
        <source>Page numbers</source>
        <translation>页码</translation>
    </message>
    <message>
        <source>Pinyin</source>
        <translation>拼音</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>保存为</translation>
    </message>
    <message>
        <source>Save File</source>
        <translation>保存文件</translation>
    </message>
    <message>
        <source>Solid</source>
        <translation>实心</translation>
    </message>
    <message>
        <source>Square grid</source>
        <translation>方格</translation>
    </message>
    <message>
        <source>Text Color</source>
        <translation>文字颜色</translation>
    </message>
    <message>
        <source>The PDF file was saved successfully, do you need to open the file?</source>
        <translation>PDF文件保存成功，是否打开该文件？</translation>
    </message>
    <message>
        <source>Tian grid</source>
        <translation>田字格</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>标题</translation>
    </message>
    <message>
        <source>Trace</source>
        <translation>描红</translation>
    </message>
    <message>
        <source>Trace Style</source>
        <translation>描红样式</translation>
    </message>
    <message>
        <source>Trace Type</source>
        <translation>描字类型</translation>
    </message>
    <message>
        <source>Vector PDF</source>
        <translation>矢量PDF</translation>
    </message>
    <message>
        <source>Write from pinyin</source>
        <translation>看拼音写汉字</translation>
    </message>
    <message>
        <source>Plain tones of 一 and 不</source>
        <translation>“一”“不”标原调</translation>
    </message>
    <message>
        <source>Stroke order</source>
        <translation>笔顺</translation>
    </message>
    <message>
        <source>This copybook has %1 pages; saving them all takes a while. Save it anyway?</source>
        <translation>这本字帖共有 %1 页，全部保存需要一些时间。仍要保存吗？</translation>
    </message>
    <message>
        <source>page %1 of %2</source>
        <translation>第 %1 页，共 %2 页</translation>
    </message>
    <message>
        <source>A4 (210 × 297 mm)</source>
        <translation>A4（210 × 297 毫米）</translation>
    </message>
    <message>
        <source>A5 (148 × 210 mm)</source>
        <translation>A5（148 × 210 毫米）</translation>
    </message>
    <message>
        <source>B5 (176 × 250 mm)</source>
        <translation>B5（176 × 250 毫米）</translation>
    </message>
    <message>
        <source>Letter (8.5 × 11 in)</source>
        <translation>信纸 Letter（8.5 × 11 英寸）</translation>
    </message>
    <message>
        <source>A3 (297 × 420 mm)</source>
        <translation>A3（297 × 420 毫米）</translation>
    </message>
    <message>
        <source>Paper</source>
        <translation>纸张</translation>
    </message>
    <message>
        <source>Landscape</source>
        <translation>横向</translation>
    </message>
    <message>
        <source>Layout</source>
        <translation>版式</translation>
    </message>
    <message>
        <source>Pinyin and Stroke Order</source>
        <translation>拼音与笔顺</translation>
    </message>
    <message>
        <source>Paper and Pages</source>
        <translation>纸张与页面</translation>
    </message>
    <message>
        <source>The settings file is damaged and could not be kept aside: the settings start from their defaults, and changes to them are not saved.</source>
        <translation>设置文件已损坏且无法另存：设置已恢复默认，对设置的更改将不会保存。</translation>
    </message>
    <message>
        <source>The settings file was damaged. It was kept as %1, and the settings start from their defaults.</source>
        <translation>设置文件已损坏，已另存为 %1 并恢复默认设置。</translation>
    </message>
    <message>
        <source>There is no room on the page for a row of squares, so the text cannot be laid out: choose a smaller cell size or larger paper.</source>
        <translation>页面上放不下一行格子，无法排入文字：请选用更小的格子或更大的纸张。</translation>
    </message>
    <message>
        <source>Words</source>
        <translation>按词语</translation>
    </message>
    <message>
        <source>Copies</source>
        <translation>描红个数</translation>
    </message>
    <message>
        <source>Fading copies</source>
        <translation>渐隐</translation>
    </message>
    <message>
        <source>Each character once</source>
        <translation>每字一次</translation>
    </message>
    <message>
        <source>By trace type</source>
        <translation>按描字类型</translation>
    </message>
    <message>
        <source>Add from the Character List…</source>
        <translation>从字表添加…</translation>
    </message>
    <message numerus="yes">
        <source>%n of the characters added lie outside the common Chinese characters: they show once &quot;Common Chinese&quot; is off.</source>
        <translation>
            <numerusform>添加的字中有 %n 个不在常用汉字范围内：取消“仅常用汉字”后才会显示。</numerusform>
        </translation>
    </message>
    <message>
        <source>English on four lines</source>
        <translation>英文四线格</translation>
    </message>
    <message>
        <source>Ruler</source>
        <translation>校准尺</translation>
    </message>
    <message>
        <source>Open Worksheet…</source>
        <translation>打开字帖…</translation>
    </message>
    <message>
        <source>Save Worksheet…</source>
        <translation>保存字帖…</translation>
    </message>
    <message>
        <source>Save Worksheet As…</source>
        <translation>字帖另存为…</translation>
    </message>
    <message>
        <source>PNG pictures (*.png)</source>
        <translation>PNG图片 (*.png)</translation>
    </message>
    <message>
        <source>SVG drawings (*.svg)</source>
        <translation>SVG矢量图 (*.svg)</translation>
    </message>
    <message>
        <source>Failed to save the pictures.</source>
        <translation>保存图片失败。</translation>
    </message>
    <message>
        <source>The pictures were saved successfully, do you need to open %1?</source>
        <translation>图片保存成功，是否打开 %1？</translation>
    </message>
    <message>
        <source>The worksheet is damaged or incomplete.</source>
        <translation>字帖文件已损坏或不完整。</translation>
    </message>
    <message>
        <source>This file is not a LattiScribe worksheet.</source>
        <translation>该文件不是格书字帖的字帖文件。</translation>
    </message>
    <message>
        <source>This worksheet was saved by a newer version of LattiScribe; update the program to open it.</source>
        <translation>该字帖由更新版本的格书字帖保存，请升级程序后再打开。</translation>
    </message>
    <message>
        <source>The worksheet&apos;s text holds a NUL character.</source>
        <translation>字帖的文本中含有空字符（NUL）。</translation>
    </message>
    <message>
        <source>The file cannot be read.</source>
        <translation>无法读取该文件。</translation>
    </message>
    <message>
        <source>Open Worksheet</source>
        <translation>打开字帖</translation>
    </message>
    <message>
        <source>Worksheets and texts (*.%1 *.txt)</source>
        <translation>字帖和文本 (*.%1 *.txt)</translation>
    </message>
    <message>
        <source>Save Worksheet</source>
        <translation>保存字帖</translation>
    </message>
    <message>
        <source>Worksheets (*.%1)</source>
        <translation>字帖 (*.%1)</translation>
    </message>
    <message>
        <source>The file cannot be read as text.</source>
        <translation>无法将该文件读作文本。</translation>
    </message>
    <message>
        <source>The worksheet cannot be saved.</source>
        <translation>无法保存字帖。</translation>
    </message>
    <message>
        <source>Save changes to the worksheet?</source>
        <translation>保存对字帖的修改吗？</translation>
    </message>
    <message>
        <source>%1[*] - Lattiscribe</source>
        <translation>%1[*] - 格书字帖</translation>
    </message>
    <message>
        <source>Fit glyphs</source>
        <translation>字形居中</translation>
    </message>
    <message>
        <source>Add Font File…</source>
        <translation>添加字体文件…</translation>
    </message>
    <message>
        <source>Remove %1</source>
        <translation>移除 %1</translation>
    </message>
    <message>
        <source>%1 → %2</source>
        <translation>%1 → %2</translation>
    </message>
    <message>
        <source>Add Font File</source>
        <translation>添加字体文件</translation>
    </message>
    <message>
        <source>Font files (*.ttf *.otf *.ttc);;All files (*)</source>
        <translation>字体文件 (*.ttf *.otf *.ttc);;所有文件 (*)</translation>
    </message>
    <message>
        <source>The font file could not be read.</source>
        <translation>无法读取该字体文件。</translation>
    </message>
    <message>
        <source>This file is not a TrueType or OpenType font.</source>
        <translation>该文件不是 TrueType 或 OpenType 字体。</translation>
    </message>
    <message>
        <source>The font file is damaged, perhaps not completely downloaded.</source>
        <translation>该字体文件已损坏，可能没有下载完整。</translation>
    </message>
    <message>
        <source>The font file could not be copied into the program&apos;s folder.</source>
        <translation>无法将该字体文件复制到程序的文件夹中。</translation>
    </message>
    <message>
        <source>The font file could not be loaded.</source>
        <translation>无法载入该字体文件。</translation>
    </message>
    <message>
        <source>Remove the font %1? Its copy in the program&apos;s folder is deleted; the file it was added from stays.</source>
        <translation>移除字体 %1 吗？程序文件夹中的副本将被删除，添加时所用的原文件仍会保留。</translation>
    </message>
    <message>
        <source>The font file could not be removed.</source>
        <translation>无法移除该字体文件。</translation>
    </message>
    <message numerus="yes">
        <source>The chosen font lacks %n character(s): %1</source>
        <translation>
            <numerusform>所选字体缺少 %n 个字：%1</numerusform>
        </translation>
    </message>
    <message>
        <source>Zhuyin</source>
        <translation>注音</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1（%2）</translation>
    </message>
    <message>
        <source>Character cards</source>
        <translation>字卡</translation>
    </message>
    <message>
        <source>Strokes: %1</source>
        <translation>笔顺：%1</translation>
    </message>
</context>
<context>
    <name>PageFurniture</name>
    <message>
        <source>Name</source>
        <translation>姓名</translation>
    </message>
    <message>
        <source>Class</source>
        <translation>班级</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>日期</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>第 %1 页 / 共 %2 页</translation>
    </message>
    <message>
        <source>%1 cm</source>
        <translation>%1 cm</translation>
    </message>
</context>
</TS>
