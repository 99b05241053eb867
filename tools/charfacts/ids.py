"""The Ideographic Description Sequences of engine/tables/data/ids-g.txt, parsed into trees, and the
structure (结构) a character's tree shows."""

import datafile

# Each operator with the number of parts it places.
OPERATORS = {
    "⿰": 2, "⿱": 2, "⿲": 3, "⿳": 3, "⿴": 2, "⿵": 2, "⿶": 2, "⿷": 2, "⿸": 2, "⿹": 2, "⿺": 2, "⿻": 2,
    "⿼": 2, "⿽": 2, "⿾": 1, "⿿": 1, "㇯": 2,
}
SURROUNDS = "⿵⿶⿷⿸⿹⿺⿼⿽"
# The head of 变, 弯, 恋 (亦 without its legs) is one component, not 亠 over strokes.
WHOLE_PIECES = {"𰁜"}
# Radicals of few strokes that are two halves side by side.
TWO_HALVES = {"比", "羽"}
# The names the facts give a structure, in the order of the codes the table stores (0: unknown).
STRUCTURES = ["", "独体结构", "左右结构", "上下结构", "左中右结构", "上中下结构", "半包围结构", "全包围结构", "品字结构"]


class Node:
    """An operator with its parts, or a leaf: one component (a character, or "{NN}" for one Unicode lacks)."""

    def __init__(self, operator=None, parts=(), leaf=None):
        self.operator, self.parts, self.leaf = operator, list(parts), leaf


def parse(sequence):
    tokens, at = [], 0
    while at < len(sequence):
        if sequence[at] == "{":
            end = sequence.index("}", at)
            tokens.append(sequence[at : end + 1])
            at = end + 1
        else:
            tokens.append(sequence[at])
            at += 1
    position = 0

    def node():
        nonlocal position
        token = tokens[position]
        position += 1
        # 〾 marks the next part as a variant of the component written; the part stays what it is.
        if token == "〾":
            return node()
        if token in OPERATORS:
            return Node(token, [node() for _ in range(OPERATORS[token])])
        return Node(leaf=token)

    tree = node()
    if position != len(tokens):
        raise ValueError(f"trailing components in {sequence!r}")
    return tree


def read(path):
    """Each character's tree, from the file extract_ids.py writes."""
    return {character: parse(sequence) for character, sequence in datafile.rows(path)}


class Structures:
    """The structure of a character from its tree: the operator that places its first parts, with what a
    primary-school book counts as one piece."""

    def __init__(self, trees, strokes, standard, radicals):
        self.trees = trees
        # The number of strokes of a component, 0 when unknown.
        self.strokes = strokes
        # The standard list's characters in its order, level one first.
        self.common = set(standard)
        self.first_level = set(standard[:3500])
        # The main radicals, and every form a radical takes.
        # The main radicals, and each form a radical takes with its main radical.
        self.radicals, self.radical_forms = radicals

    def main_form(self, leaf):
        """A component as its main radical (釒 as 金), so that 鑫 is three of the same."""
        return self.radical_forms.get(leaf, leaf)

    def stroke_piece(self, node):
        """A single stroke, or a piece made of single strokes that is no component of its own (丆 of 不,
        𠘨 of 风): a character built on one is taught as one piece."""
        if node.leaf is not None:
            if self.strokes(node.leaf) == 1:
                return True
            if node.leaf in self.radical_forms or node.leaf in self.common:
                return False
            node = self.trees.get(node.leaf, node)
        return node.leaf is None and all(p.leaf is not None and self.strokes(p.leaf) == 1 for p in node.parts)

    def component(self, node):
        """A character or radical of its own, not a piece (水 of 𰛅)."""
        return node.leaf is not None and (node.leaf in self.common or node.leaf in self.radical_forms)

    def three(self, node, operator):
        """Whether a part adds a third column (left to right) or layer (top to bottom): it is split the same
        way into components, in the sequence itself or, across, in the character it names. A character of
        level one stacked on another (点: 占 over 灬) stays two layers, as books count them."""
        if node.leaf is not None:
            if (node.leaf in self.first_level and operator == "⿱") or node.leaf in WHOLE_PIECES:
                return False
            node = self.trees.get(node.leaf, node)
        same = {"⿰": "⿰⿲", "⿱": "⿱⿳"}[operator]
        # Side by side, a part split again within itself (隹 of 谁) is no column; stacked, a layer of two
        # components side by side (丰丰 of 慧) is one.
        return node.operator is not None and node.operator in same and not any(
            (p.leaf is None and operator == "⿰") or (p.leaf is not None and self.strokes(p.leaf) == 1)
            for p in node.parts
        )

    def structure(self, character):
        tree = self.trees.get(character)
        if tree is None:
            return ""
        operator, parts = tree.operator, tree.parts
        if operator is None or operator not in "⿰⿱⿲⿳⿴" + SURROUNDS:
            return "独体结构"
        # The radicals of few strokes (月, 田, 石, 页) are single pieces; 比 and 羽, two halves, are not.
        if character in self.radicals and self.strokes(character) <= 6:
            return "左右结构" if character in TWO_HALVES else "独体结构"
        pieces = [self.stroke_piece(p) for p in parts]
        if operator in "⿱⿳" and (pieces[0] or self.strokes(parts[-1].leaf or "") == 1):
            # 天 (一 over 大), 白, 永, 两, 面 (丆 over 囬), 上 (⺊ over 一); but 号 (丂 under 口).
            return "独体结构"
        drawn = [p.leaf is not None and "\u31c0" <= p.leaf <= "\u31ef" for p in parts]
        if operator in "⿰⿲" and (
            any(drawn) or all(pieces) or (any(pieces) and not all(self.component(p) or q for p, q in zip(parts, pieces)))
        ):
            # 水, 心, 小, 失 (㇒ on 夫); but 礼, 引 and 旧 set a component beside their stroke.
            return "独体结构"
        if (operator == "⿴" or operator in SURROUNDS) and (self.strokes(parts[-1].leaf or "") == 1 or (pieces[0] and not self.component(parts[0]))):
            # 尺 (a stroke inside 尸), 不 (丆 over strokes); 司 keeps its 𠃌 outside.
            return "独体结构"
        if operator == "⿴":
            return "全包围结构"
        if operator in SURROUNDS:
            return "半包围结构"
        if operator == "⿲":
            return "左中右结构"
        if operator == "⿳":
            return "上中下结构"
        if operator == "⿱":
            # 品, 森, 晶: one component over two of the same.
            below = self.trees.get(parts[1].leaf, parts[1]) if parts[1].leaf else parts[1]
            top = self.main_form(parts[0].leaf)
            if top and below.operator == "⿰" and all(self.main_form(p.leaf) == top for p in below.parts):
                return "品字结构"
        # A part split the same way again makes three: 谢 (讠 身 寸), 复. When both are (非), the character
        # is still two halves.
        inner = [self.three(p, operator) for p in parts]
        if inner.count(True) == 1:
            return "左中右结构" if operator == "⿰" else "上中下结构"
        return "左右结构" if operator == "⿰" else "上下结构"
