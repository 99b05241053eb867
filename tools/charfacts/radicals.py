"""The radical (部首) of a character as mainland dictionaries assign it since the 2009 standard, in the form
the character shows it.

The rule: a character that is a radical is its own; otherwise a character of parts takes the radical on
its left, top or outside (取左、取上、取外: 相 木, 和 禾, 闻 门, 思 田), else the one on its right, bottom or
inside (颖 页, 照 灬), else Unihan's (kRSUnicode, the Kangxi radical, in the form the character's sequence
shows). A character taught as one piece (独体) keeps Unihan's radical; where the 2009 standard dropped that
radical (二, 入, 爻 …), the radical of its first stroke (一 丨 丿 丶 乙)."""

import ids

# The main radicals of the 2009 standard with the other forms they take (附形), as components name them.
FORMS = {
    "一": "", "丨": "亅", "丿": "㇒", "丶": "", "乙": "乛乚𠃌𠃍𠃊⺄㇠", "十": "", "厂": "", "匚": "匸",
    "卜": "⺊", "冂": "⺆", "八": "丷", "人": "亻𠆢", "勹": "", "儿": "", "匕": "", "几": "⺇", "亠": "",
    "冫": "", "冖": "", "凵": "", "卩": "㔾", "刀": "刂⺈", "力": "", "又": "", "厶": "", "廴": "", "干": "",
    "工": "", "土": "士", "艹": "艸", "寸": "", "廾": "", "大": "", "尢": "尣", "弋": "", "小": "⺌⺍𡭔",
    "口": "", "囗": "", "山": "", "巾": "", "彳": "", "彡": "", "夕": "", "夂": "夊", "丬": "爿", "广": "",
    "门": "門", "宀": "", "辶": "辵⻌⻍", "彐": "⺕彑", "尸": "", "己": "已巳", "弓": "", "子": "", "屮": "",
    "女": "", "飞": "飛", "马": "馬", "幺": "", "巛": "", "王": "玉⺩𤣩", "无": "旡", "韦": "韋", "木": "",
    "支": "", "犬": "犭", "歹": "歺", "车": "車", "牙": "", "戈": "", "比": "", "瓦": "", "止": "",
    "攴": "攵", "日": "曰", "贝": "貝", "水": "氵氺", "见": "見", "牛": "牜⺧", "手": "扌龵", "气": "",
    "毛": "", "长": "長", "片": "", "斤": "", "爪": "爫", "父": "", "月": "⺼⺝", "氏": "", "欠": "",
    "风": "風", "殳": "", "文": "", "方": "", "火": "灬", "斗": "", "户": "戶", "心": "忄⺗㣺", "毋": "母",
    "示": "礻", "甘": "", "石": "", "龙": "龍", "业": "", "目": "", "田": "", "罒": "网⺲", "皿": "",
    "生": "", "矢": "", "禾": "", "白": "", "瓜": "", "鸟": "鳥", "疒": "", "立": "", "穴": "",
    "疋": "𤴔⺪", "皮": "", "癶": "", "矛": "", "耒": "", "老": "耂", "耳": "", "臣": "", "西": "覀襾",
    "而": "", "页": "頁", "至": "", "虍": "", "虫": "", "肉": "", "缶": "", "舌": "", "竹": "⺮𥫗", "臼": "",
    "自": "", "血": "", "舟": "", "色": "", "齐": "齊", "衣": "衤", "羊": "⺶⺷𦍌", "米": "", "聿": "⺻",
    "艮": "", "羽": "", "糸": "纟糹", "麦": "麥", "走": "", "赤": "", "豆": "", "酉": "", "辰": "",
    "豕": "", "卤": "鹵", "里": "", "足": "⻊𧾷", "身": "", "釆": "", "谷": "", "豸": "", "龟": "龜",
    "角": "", "言": "讠訁", "辛": "", "青": "靑", "雨": "", "非": "", "齿": "齒", "黾": "黽", "隹": "",
    "阝": "阜邑", "金": "钅釒", "鱼": "魚", "隶": "", "革": "", "面": "", "韭": "", "骨": "", "香": "",
    "鬼": "", "食": "饣飠𩙿", "音": "", "首": "", "髟": "", "鬲": "", "高": "", "黄": "黃", "麻": "",
    "鹿": "", "鼎": "", "黑": "", "黍": "", "鼓": "", "鼠": "", "鼻": "", "龠": "",
}

# How a form is written on a card where the component's own code point is a variant of it.
SHOWN = {
    "𤣩": "王", "⺩": "王", "⺝": "月", "㇒": "丿", "⺼": "月", "艸": "艹", "辵": "辶", "⻌": "辶", "⻍": "辶", "戶": "户",
    "靑": "青", "訁": "讠", "糹": "纟", "飠": "饣", "𩙿": "饣", "釒": "钅", "𧾷": "⻊", "𠆢": "人", "⺆": "冂",
    "⺇": "几", "龵": "手", "𦍌": "⺶", "𥫗": "⺮", "⺷": "⺶", "⺍": "⺌", "𡭔": "小", "㣺": "⺗", "⺕": "彐", "彑": "彐", "夊": "夂",
    "匸": "匚", "⺲": "罒", "爿": "丬", "𤴔": "⺪", "阜": "阝", "邑": "阝", "⺧": "牜", "尣": "尢", "歺": "歹",
}

# Unihan's radical numbers (kRSUnicode; an apostrophe marks the simplified radical) with the main radical
# of the 2009 standard they fall under; None where the standard has none (the first stroke decides).
KANGXI = (
    "一 丨 丶 丿 乙 丨 None 亠 人 儿 None 八 冂 冖 冫 几 凵 刀 力 勹 匕 匚 匚 十 卜 卩 厂 厶 又 口 囗 土 土 夂 夂 夕 大 "
    "女 子 宀 寸 小 尢 尸 屮 山 巛 工 己 巾 干 幺 广 廴 廾 弋 弓 彐 彡 彳 心 戈 户 手 支 攴 文 斗 斤 方 无 日 日 月 木 "
    "欠 止 歹 殳 毋 比 毛 氏 气 水 火 爪 父 None 丬 片 牙 牛 犬 None 王 瓜 瓦 甘 生 None 田 疋 疒 癶 白 皮 皿 目 "
    "矛 矢 石 示 None 禾 穴 立 竹 米 糸 缶 罒 羊 羽 老 而 耒 耳 聿 肉 臣 自 至 臼 舌 None 舟 艮 色 艹 虍 虫 血 彳 衣 "
    "西 见 角 言 谷 豆 豕 豸 贝 赤 走 足 身 车 辛 辰 辶 阝 酉 釆 里 金 长 门 阝 隶 隹 雨 青 非 面 革 韦 韭 音 页 "
    "风 飞 食 首 香 马 骨 高 髟 None None 鬲 鬼 鱼 鸟 卤 鹿 麦 麻 黄 黍 黑 None 黾 鼎 鼓 鼠 鼻 齐 齿 龙 龟 龠"
).split()
assert len(KANGXI) == 214

# Where the 2009 standard's forms of a radical and Kangxi's part: 肉 is written 月 beside and below.
EXTRA_FORMS = {"肉": "月⺼"}
# Kangxi radicals the standard files under the radical of their left part rather than as a form of it.
MERGED = {"行": "彳"}

FORM_OF = {}
for _main, _others in FORMS.items():
    for _form in _main + _others:
        FORM_OF[_form] = _main

# The radical of a first stroke, by the stroke's name.
FIRST_STROKE = {"横": "一", "提": "一", "竖": "丨", "竖钩": "丨", "撇": "丿", "点": "丶", "捺": "丶"}


def shown(form):
    return SHOWN.get(form, form)


def main_radical(krs):
    """The 2009 main radical of a kRSUnicode value such as "120'.3", or None."""
    number = krs.split(".")[0].rstrip("'")
    main = KANGXI[int(number) - 1]
    return None if main == "None" else main


def forms_of(main):
    return main + FORMS.get(main, "") + EXTRA_FORMS.get(main, "")


def find_form(node, forms):
    """The first component of the tree, outside in, that is one of `forms`."""
    if node.leaf is not None:
        return node.leaf if node.leaf in forms else None
    for part in node.parts:
        found = find_form(part, forms)
        if found:
            return found
    return None


# Radicals of one stroke are a character's radical by its first stroke, not by their place beside or
# below (旧 is under 日), though they are by surrounding (司 under 𠃌); 屮 stands in 出 only as its top.
NOT_BY_PLACE = set("一丨丿丶乙乛乚𠃌𠃍𠃊⺄㇠亅㇒屮")
SURROUNDING = set("乙乛乚𠃌𠃍𠃊")
WHOLE_PIECES = ids.WHOLE_PIECES
SAME_WAY = {"⿰": "⿰⿲", "⿲": "⿰⿲", "⿱": "⿱⿳", "⿳": "⿱⿳"}


def edge(tree, end, trees, standard, first_level):
    """The component at a character's left, top or outside (end 0) or right, bottom or inside (end -1):
    through parts split the same way, in the sequence or in a piece that is no character of the standard
    list (害: 𫲸, then its 宀), or beside, one that is not of level one (浏: 汶, then its 氵). A character of
    the list stacked on another is a component of its own (点 is 占 over 灬, 急 刍 over 心)."""
    operator = tree.operator
    same = SAME_WAY.get(operator, "⿴⿵⿶⿷⿸⿹⿺⿼⿽" if end == 0 else "")
    node = tree.parts[end]
    for _ in range(8):
        if node.leaf is not None:
            whole = first_level if operator in "⿰⿲" else standard
            if node.leaf in FORM_OF or node.leaf in whole or node.leaf in WHOLE_PIECES or node.leaf not in trees:
                break
            inner = trees[node.leaf]
            if inner.operator is None or inner.operator not in same:
                break
            node = inner.parts[end]
        elif node.operator in same:
            node = node.parts[end]
        else:
            break
    return node.leaf


class Rule:
    """The rule with what it reads: the characters' trees, the standard list in its order (level one
    first) and our own exceptions."""

    def __init__(self, trees, standard, exceptions):
        self.trees = trees
        self.standard = set(standard)
        self.first_level = set(standard[:3500])
        self.exceptions = exceptions

    def radical(self, character, krs, structure, first_stroke):
        """The radical as written on a card, or "" where nothing says. `krs` is the character's first
        kRSUnicode value; `first_stroke` the name of its first stroke, or ""."""
        if character in self.exceptions:
            return self.exceptions[character]
        if character in FORM_OF:
            return character
        tree = self.trees.get(character)
        if tree is not None and structure not in ("", "独体结构"):
            for end in (0, -1):
                part = edge(tree, end, self.trees, self.standard, self.first_level)
                surrounding = end == 0 and tree.operator not in "⿰⿱⿲⿳" and part in SURROUNDING
                if part in FORM_OF and (part not in NOT_BY_PLACE or surrounding):
                    return shown(part)
        main = main_radical(krs) if krs else None
        if main is None:
            # A character of one piece whose Kangxi radical the standard dropped (内 of 入): what surrounds
            # or crosses it, else its first stroke.
            if tree is not None and tree.operator == "⿻" and tree.parts[0].leaf in FORM_OF:
                return shown(tree.parts[0].leaf)
            return FIRST_STROKE.get(first_stroke, "乙" if first_stroke else "")
        found = find_form(tree, forms_of(main)) if tree is not None else None
        return shown(found) if found else main
