#!/usr/bin/env python3
"""Differential test of orvelc against an exact recognizer.

Draws parser grammars from a seed (rules, subrules, ? * +, empty alternatives,
rule references, k from 1 to 3, syntactic predicates, alternatives that start
or also end with their own rule, some with <assoc = right>), compiles each with
orvelc, compiles the generated C++ with -Wall -Wextra -Wpedantic -Werror and
links every parser into one driver program. Each parser then reads all short
token strings, sentences drawn from its grammar and mutations of them; an
Earley recognizer over the same grammar decides membership exactly.

What must hold:
- orvelc refuses a grammar exactly when it is left-recursive in another way
  than by alternatives that start with their own rule (as the grammar reads
  with those rewritten into a loop), has a loop whose body can match nothing
  or a rule that never returns, and never crashes;
- every generated parser compiles without warnings;
- no parser accepts a string outside the language, crashes or hangs;
- a parser of a grammar with no ambiguity warning, no syntactic predicate and
  no greedy option accepts exactly the language. (A predicate commits to its
  alternative, and an explicit greedy option silences the warning of a choice
  made by fixed lookahead, so those grammars may accept less.)

Every fault is printed with its grammar and, for a parser, the shortest input
found (reduced by deleting tokens), the expected and the actual verdict. The
exit status is 1 when anything failed.

Usage: differential.py --config <file> [--count N] [--seed S] [--work DIR] [--jobs J]
The configuration file, written by the build, holds key=value lines: orvelc,
cxx, runtime (the orvel library file), and any number of compile, link,
include and define lines.
"""

import argparse
import collections
import concurrent.futures
import itertools
import os
import random
import shutil
import subprocess
import sys
import time

TOKENS = "ABCDE"          # a grammar uses the first 2 to 5 of these
FOREIGN = "F"             # made by the lexer but used by no grammar
SUFFIXES = ("", "?", "*", "+")
RUN_TIMEOUT = 3           # seconds for one parser over all its inputs
REPORT_LIMIT = 25         # faults printed in full


# ---------------------------------------------------------------- grammars

class Tok:
    def __init__(self, name, suffix=""):
        self.name, self.suffix = name, suffix

    def text(self):
        return self.name + self.suffix


class Ref:
    def __init__(self, rule, suffix=""):
        self.rule, self.suffix = rule, suffix

    def text(self):
        return "r%d%s" % (self.rule, self.suffix)


class Block:
    def __init__(self, alts, suffix="", greedy=None):
        self.alts, self.suffix, self.greedy = alts, suffix, greedy

    def text(self):
        options = "options { greedy = %s; } : " % self.greedy if self.greedy else ""
        return "(" + options + " | ".join(a.text() for a in self.alts) + ")" + self.suffix


class Alt:
    def __init__(self, elements, predicate=None):
        self.elements, self.predicate = elements, predicate
        self.right = False       # <assoc = right> after the second element

    def text(self):
        texts = [e.text() for e in self.elements]
        if self.right:
            texts[1] += " <assoc = right>"
        body = " ".join(texts)
        if self.predicate:
            return "(" + " ".join(e.text() for e in self.predicate) + ")=> " + body
        return body


class Grammar:
    """A parser grammar: rules r0..rN-1, the start rule s : r0 EOF."""

    def __init__(self, index, k, alphabet, rules):
        self.index, self.k, self.alphabet, self.rules = index, k, alphabet, rules
        self.name = "g%d" % index
        self.seed = index        # of the inputs drawn for it
        self.warned = False      # orvelc found an ambiguity

    def uses(self, kind):
        """True when some alternative has a predicate ("predicate") or some
        subrule a greedy option ("greedy")."""
        def walk_alts(alts):
            return any((kind == "predicate" and a.predicate) or
                       any(walk(e) for e in a.elements) for a in alts)

        def walk(e):
            return isinstance(e, Block) and (
                (kind == "greedy" and e.greedy is not None) or walk_alts(e.alts))
        return any(walk_alts(alts) for alts in self.rules)

    def starts_with_itself(self, alt, rule):
        first = alt.elements[0] if alt.elements else None
        return (alt.predicate is None and isinstance(first, Ref) and first.rule == rule
                and not first.suffix)

    def as_analysed(self):
        """The grammar as orvelc analyses it: a rule some of whose alternatives
        start with the rule itself, and some not, becomes the others followed
        by a loop over what comes after the rule in those. The language stays
        the same."""
        rules = []
        for i, alts in enumerate(self.rules):
            left = [a for a in alts if self.starts_with_itself(a, i)]
            others = [a for a in alts if not self.starts_with_itself(a, i)]
            if not left or not others:
                rules.append(alts)
                continue
            rules.append([Alt([Block(others), Block([Alt(a.elements[1:]) for a in left], "*")])])
        return Grammar(self.index, self.k, self.alphabet, rules)

    def left_recursive(self):
        """True when orvelc refuses the grammar for its left recursion."""
        return Bnf(self.as_analysed()).left_recursive(len(self.rules))

    def rules_text(self):
        return "".join("r%d : %s ;\n" % (i, " | ".join(a.text() for a in alts))
                       for i, alts in enumerate(self.rules))

    def file_text(self):
        lexer = "".join("%s : '%s' ;\n" % (t, t.lower()) for t in TOKENS + FOREIGN)
        return ("namespace %s;\nparser P;\noptions { k = %d; defaultErrorHandler = false; }\n"
                "start s : r0 EOF ;\n%s\nlexer L;\nskip WS : ' ' ;\n%s"
                % (self.name, self.k, self.rules_text(), lexer))


class Generator:
    """Draws grammars; every choice comes from one random.Random. Most
    alternatives of a decision begin with different tokens, so that a good
    share of the grammars are free of ambiguity and their parsers can be
    checked exactly."""

    def __init__(self, rng):
        self.rng = rng

    def grammar(self, index):
        rng = self.rng
        self.alphabet = TOKENS[:rng.choice((2, 3, 4, 5, 5))]
        # Half the grammars are small: faults show in small shapes, and small
        # grammars are more often free of ambiguity.
        self.small = rng.random() < 0.5
        self.nrules = rng.choice((1, 2) if self.small else (1, 2, 2, 3, 3, 4))
        self.predicates = rng.random() < 0.2
        self.greedy = rng.random() < 0.1
        rules = [self.alts(rule, 0, rng.choice((1, 2, 2, 3))) for rule in range(self.nrules)]
        if rng.random() < 0.3:
            rule = rng.randrange(self.nrules)
            self.recur_left(rule, rules[rule])
        return Grammar(index, rng.choice((1, 2, 2, 3, 3)), self.alphabet, rules)

    def recur_left(self, rule, alts):
        """Makes some alternatives of `rule` start with the rule itself (suffix
        forms), some of those also end with it (binary, some to the right),
        and some others end with it (prefix forms)."""
        rng = self.rng
        for a in alts:
            if not a.elements or a.predicate or rng.random() < 0.4:
                continue
            if rng.random() < 0.25:
                a.elements.append(Ref(rule))
                continue
            a.elements.insert(0, Ref(rule))
            if rng.random() < 0.5:
                a.elements.append(Ref(rule))
                a.right = rng.random() < 0.3

    def alts(self, rule, depth, count):
        rng = self.rng
        firsts = rng.sample(self.alphabet, min(count, len(self.alphabet)))
        alts = []
        for i in range(count):
            alt = self.alt(rule, depth)
            if alt.elements and i < len(firsts) and rng.random() < 0.7:
                alt.elements.insert(0, Tok(firsts[i]))
            alts.append(alt)
        if count > 1 and self.predicates:
            for a in alts:
                if a.elements and rng.random() < 0.35:
                    a.predicate = a.elements[:rng.randint(1, len(a.elements))]
        return alts

    def alt(self, rule, depth):
        rng = self.rng
        if rng.random() < 0.15:
            return Alt([])
        return Alt([self.element(rule, depth, position)
                    for position in range(rng.choice((1, 1, 2) if self.small else (1, 1, 2, 2, 3)))])

    def element(self, rule, depth, position):
        rng = self.rng
        suffix = rng.choice(SUFFIXES + ("",) * 7)
        roll = rng.random()
        if roll < 0.2 and depth < 2:
            alts = self.alts(rule, depth + 1, rng.choice((1, 2, 2, 3)))
            if all(not a.elements for a in alts):
                alts[0] = Alt([Tok(rng.choice(self.alphabet))])
            greedy = None
            if suffix and self.greedy and rng.random() < 0.5:
                greedy = rng.choice(("true", "false"))
            return Block(alts, suffix, greedy)
        # A call of this rule or an earlier one only after the first element
        # keeps most grammars free of left recursion.
        callees = [r for r in range(self.nrules) if r > rule or position > 0]
        if roll < 0.35 and callees:
            return Ref(rng.choice(callees), suffix)
        return Tok(rng.choice(self.alphabet), suffix)


# ------------------------------------------------------------ the language

class Bnf:
    """The grammar as plain productions: a nonterminal per rule (r<i>) and per
    subrule, the start S -> r0. Predicates are left out."""

    def __init__(self, grammar):
        self.prods = {"S": [("r0",)]}
        self.fresh = 0
        for i, alts in enumerate(grammar.rules):
            self.prods["r%d" % i] = [self.sequence(a.elements) for a in alts]
        self.nullable = self.fixpoint_nullable()
        self.minlen = self.fixpoint_minlen()
        self.index = [(lhs, rhs) for lhs, rhss in self.prods.items() for rhs in rhss]
        self.by_lhs = {}
        for number, (lhs, _) in enumerate(self.index):
            self.by_lhs.setdefault(lhs, []).append(number)

    def new(self, rhss):
        self.fresh += 1
        name = "_%d" % self.fresh
        self.prods[name] = rhss
        return name

    def sequence(self, elements):
        return tuple(self.symbol(e) for e in elements)

    def symbol(self, e):
        if isinstance(e, Tok):
            base = e.name
        elif isinstance(e, Ref):
            base = "r%d" % e.rule
        else:
            base = self.new([self.sequence(a.elements) for a in e.alts])
        if e.suffix == "?":
            return self.new([(base,), ()])
        if e.suffix == "*":
            loop = self.new([])
            self.prods[loop] = [(base, loop), ()]
            return loop
        if e.suffix == "+":
            loop = self.new([])
            self.prods[loop] = [(base, loop), (base,)]
            return loop
        return base

    def fixpoint_nullable(self):
        nullable, changed = set(), True
        while changed:
            changed = False
            for lhs, rhss in self.prods.items():
                if lhs not in nullable and any(all(s in nullable for s in r) for r in rhss):
                    nullable.add(lhs)
                    changed = True
        return nullable

    def fixpoint_minlen(self):
        inf = float("inf")
        minlen, changed = {lhs: inf for lhs in self.prods}, True
        while changed:
            changed = False
            for lhs, rhss in self.prods.items():
                best = min((self.length(r, minlen) for r in rhss), default=inf)
                if best < minlen[lhs]:
                    minlen[lhs], changed = best, True
        return minlen

    def length(self, rhs, minlen=None):
        minlen = self.minlen if minlen is None else minlen
        return sum(minlen[s] if s in self.prods else 1 for s in rhs)

    def left_recursive(self, nrules):
        """True when some rule can reach itself without consuming a token."""
        def left_calls(name):
            seen, todo, calls = {name}, [name], set()
            while todo:
                for rhs in self.prods[todo.pop()]:
                    for s in rhs:
                        if s in self.prods:
                            if s.startswith("r"):
                                calls.add(s)
                            elif s not in seen:
                                seen.add(s)
                                todo.append(s)
                        if s not in self.nullable:
                            break
            return calls
        edges = {"r%d" % i: left_calls("r%d" % i) for i in range(nrules)}

        def reaches(start):
            seen, todo = set(), list(edges[start])
            while todo:
                r = todo.pop()
                if r == start:
                    return True
                if r not in seen:
                    seen.add(r)
                    todo.extend(edges[r])
            return False
        return any(reaches(r) for r in edges)

    def endless(self, nrules):
        """True when some rule matches no finite input (it never returns)."""
        return any(self.minlen["r%d" % i] == float("inf") for i in range(nrules))

    def empty_loop(self, grammar):
        """True when some loop (`*` or `+`), in a predicate too, has a body that
        can match nothing."""
        def nullable(e):
            if e.suffix in ("?", "*"):
                return True
            if isinstance(e, Tok):
                return False
            if isinstance(e, Ref):
                return "r%d" % e.rule in self.nullable
            return any(all(nullable(x) for x in a.elements) for a in e.alts)

        def body_nullable(e):
            if isinstance(e, Block):
                return any(all(nullable(x) for x in a.elements) for a in e.alts)
            return isinstance(e, Ref) and "r%d" % e.rule in self.nullable

        def alt_has(a):
            return any(has(e) for e in a.elements) or (
                a.predicate is not None and any(has(e) for e in a.predicate))

        def has(e):
            if e.suffix in ("*", "+") and body_nullable(e):
                return True
            return isinstance(e, Block) and any(alt_has(a) for a in e.alts)
        return any(alt_has(a) for alts in grammar.rules for a in alts)

    def accepts(self, tokens):
        """Earley recognition of S over tokens (nullable completion as in
        Aycock and Horspool)."""
        n = len(tokens)
        sets = [[] for _ in range(n + 1)]
        seen = [set() for _ in range(n + 1)]

        def add(i, item):
            if item not in seen[i]:
                seen[i].add(item)
                sets[i].append(item)
        for p in self.by_lhs["S"]:
            add(0, (p, 0, 0))
        for i in range(n + 1):
            j = 0
            while j < len(sets[i]):
                p, dot, origin = sets[i][j]
                j += 1
                lhs, rhs = self.index[p]
                if dot < len(rhs):
                    s = rhs[dot]
                    if s in self.prods:
                        for q in self.by_lhs[s]:
                            add(i, (q, 0, i))
                        if s in self.nullable:
                            add(i, (p, dot + 1, origin))
                    elif i < n and tokens[i] == s:
                        add(i + 1, (p, dot + 1, origin))
                else:
                    for q, d, o in list(sets[origin]):
                        r = self.index[q][1]
                        if d < len(r) and r[d] == lhs:
                            add(i, (q, d + 1, o))
        return any(self.index[p][0] == "S" and dot == len(self.index[p][1]) and origin == 0
                   for p, dot, origin in sets[n])

    def derive(self, rng, limit=24):
        """A random sentence of the language (None when it is empty)."""
        if self.minlen["S"] == float("inf"):
            return None
        out = []

        def expand(s, depth):
            if s not in self.prods:
                out.append(s)
                return
            choices = [r for r in self.prods[s] if self.length(r) < float("inf")]
            if depth > 8 or len(out) + self.length((s,)) >= limit:
                best = min(self.length(r) for r in choices)
                choices = [r for r in choices if self.length(r) == best]
            for t in rng.choice(choices):
                expand(t, depth + 1)
        expand("S", 0)
        return tuple(out)


def inputs_for(grammar, bnf, rng):
    """All strings up to a length over the grammar's tokens, sentences drawn
    from it and their mutations; shortest first."""
    found = set()
    longest = {2: 6, 3: 4, 4: 3, 5: 3}[len(grammar.alphabet)]
    for n in range(longest + 1):
        found.update(itertools.product(grammar.alphabet, repeat=n))
    sentences = [s for s in (bnf.derive(rng) for _ in range(40)) if s is not None]
    found.update(sentences)
    symbols = grammar.alphabet + FOREIGN
    for s in sentences:
        for _ in range(2):
            found.add(mutate(list(s), symbols, rng))
    return sorted(found, key=lambda t: (len(t), t))


def mutate(tokens, symbols, rng):
    where = rng.randint(0, len(tokens))
    kind = rng.choice(("insert", "delete", "replace", "swap", "repeat") if tokens else ("insert",))
    if kind == "insert" or where == len(tokens):
        tokens.insert(where, rng.choice(symbols))
    elif kind == "delete":
        del tokens[where]
    elif kind == "replace":
        tokens[where] = rng.choice(symbols)
    elif kind == "swap" and where + 1 < len(tokens):
        tokens[where], tokens[where + 1] = tokens[where + 1], tokens[where]
    else:
        tokens[where:where] = tokens[where:where + rng.randint(1, 3)]
    return tuple(tokens)


# ------------------------------------------------------ building and running

class Config:
    def __init__(self, path):
        self.lists = {"compile": [], "link": [], "include": [], "define": []}
        self.orvelc = self.cxx = self.runtime = None
        with open(path, encoding="utf-8") as f:
            for line in f:
                key, _, value = line.rstrip("\n").partition("=")
                if key in self.lists:
                    if value:
                        self.lists[key].append(value)
                elif key in ("orvelc", "cxx", "runtime"):
                    setattr(self, key, value)
        if not (self.orvelc and self.cxx and self.runtime):
            sys.exit("%s: needs orvelc=, cxx= and runtime= lines" % path)

    def compile_command(self, source, output):
        return ([self.cxx, "-std=c++17", "-Wall", "-Wextra", "-Wpedantic", "-Werror"]
                + self.lists["compile"]
                + ["-I" + d for d in self.lists["include"]]
                + ["-D" + d for d in self.lists["define"]]
                + ["-c", source, "-o", output])

    def link_command(self, objects, output):
        rpath = []
        if not self.runtime.endswith(".a"):
            rpath = ["-Wl,-rpath," + os.path.dirname(self.runtime)]
        return [self.cxx] + self.lists["link"] + objects + [self.runtime] + rpath + ["-o", output]


def run(command, timeout):
    return subprocess.run(command, capture_output=True, text=True, timeout=timeout)


class Fault:
    def __init__(self, grammar, kind, detail, tokens=None, expected=None, actual=None):
        self.grammar, self.kind, self.detail = grammar, kind, detail
        self.tokens, self.expected, self.actual = tokens, expected, actual

    def report(self):
        lines = ["--- %s: %s" % (self.grammar.name, self.kind)]
        lines.append("options { k = %d; }" % self.grammar.k)
        lines.append(self.grammar.rules_text().rstrip("\n"))
        if self.tokens is not None:
            lines.append("input: \"%s\" (tokens %s); expected %s, got %s" % (
                " ".join(t.lower() for t in self.tokens), " ".join(self.tokens) or "none",
                self.expected, self.actual))
        if self.detail:
            lines.append(self.detail.rstrip("\n"))
        return "\n".join(lines)


def verdict_text(accepted):
    return "accept" if accepted else "reject"


class Tester:
    def __init__(self, config, work, jobs):
        self.config, self.work, self.jobs = config, work, jobs
        self.faults = []
        self.stats = dict(grammars=0, refused=0, left_recursive=0, climbing=0, warned=0, predicated=0,
                          greedy=0, exact=0, compiled=0, inputs=0, disagreements=0)

    def generate(self, grammar):
        """Runs orvelc on the grammar; its C++ file, or None when refused."""
        path = os.path.join(self.work, grammar.name + ".g")
        with open(path, "w", encoding="utf-8") as f:
            f.write(grammar.file_text())
        left_recursive = grammar.left_recursive()
        # orvelc refuses left recursion, a loop that could go round without
        # consuming (also one it made of left recursion), and a rule that
        # never returns.
        analysed = grammar.as_analysed()
        bnf = Bnf(analysed)
        unsound = bnf.empty_loop(analysed) or bnf.endless(len(grammar.rules))
        try:
            result = run([self.config.orvelc, "-o", self.work, path], timeout=60)
        except subprocess.TimeoutExpired:
            self.faults.append(Fault(grammar, "orvelc did not finish in 60 s", ""))
            return None
        grammar.warned = any(" warning: " in line and " ambiguous " in line
                             for line in result.stderr.splitlines())
        if result.returncode not in (0, 1):
            self.faults.append(Fault(grammar, "orvelc failed (status %d)" % result.returncode,
                                     result.stderr[-2000:]))
            return None
        refused = result.returncode == 1
        if refused != (left_recursive or unsound):
            kind = ("orvelc refused a sound grammar" if refused
                    else "orvelc accepted a grammar it must refuse")
            self.faults.append(Fault(grammar, kind, result.stderr))
        if refused:
            self.stats["refused"] += 1
            self.stats["left_recursive"] += left_recursive
            return None
        self.stats["climbing"] += analysed.rules_text() != grammar.rules_text()
        return os.path.join(self.work, grammar.name + ".cpp")

    def compile(self, grammar, source):
        obj = source[:-4] + ".o"
        result = run(self.config.compile_command(source, obj), timeout=600)
        if result.returncode != 0:
            self.faults.append(Fault(grammar, "the generated parser does not compile",
                                     result.stderr[-4000:]))
            return None
        return obj

    def build(self, grammars, objects):
        """Links the parsers into one driver; runs parser i as `driver i`."""
        lines = ["// Runs one parser, chosen by the argument, on each line of the standard",
                 "// input; prints 1 (accepted), 0 (RecognitionException) or X and a message.",
                 "#include <orvel/RecognitionException.hpp>"]
        lines += ['#include "%s.hpp"' % g.name for g in grammars]
        lines += ["", "#include <cstdlib>", "#include <iostream>", "#include <sstream>",
                  "#include <string>", "", "namespace {", "",
                  "template <class Lexer, class Parser>",
                  "void parse(const std::string& text)", "{",
                  "    std::istringstream in(text);", "    Lexer lexer(in);",
                  "    Parser parser(lexer);", "    parser.s();", "}", "",
                  "using Parse = void (*)(const std::string&);",
                  "const Parse parsers[] = {"]
        lines += ["    &parse<%s::L, %s::P>," % (g.name, g.name) for g in grammars]
        lines += ["};", "", "}", "",
                  "int main(int argc, char** argv)", "{",
                  "    const int count = static_cast<int>(sizeof parsers / sizeof parsers[0]);",
                  "    const int which = argc == 2 ? std::atoi(argv[1]) : -1;",
                  "    if (which < 0 || which >= count)", "        return 2;",
                  "    std::string line;",
                  "    while (std::getline(std::cin, line)) {", "        try {",
                  "            parsers[which](line);",
                  "            std::cout << \"1\" << std::endl;",
                  "        } catch (const orvel::RecognitionException&) {",
                  "            std::cout << \"0\" << std::endl;",
                  "        } catch (const std::exception& ex) {",
                  "            std::cout << \"X \" << ex.what() << std::endl;", "        }",
                  "    }", "}", ""]
        source = os.path.join(self.work, "driver.cpp")
        with open(source, "w", encoding="utf-8") as f:
            f.write("\n".join(lines))
        obj = os.path.join(self.work, "driver.o")
        program = os.path.join(self.work, "driver")
        for command in (self.config.compile_command(source, obj),
                        self.config.link_command(objects + [obj], program)):
            result = run(command, timeout=600)
            if result.returncode != 0:
                sys.exit("cannot build the driver:\n%s\n%s" % (" ".join(command), result.stderr))
        return program

    def parse(self, program, position, inputs):
        """Verdicts of parser `position` on inputs: "1", "0", "X message",
        "crash ..." or "hang" for the input it stopped at (the rest are
        not run after a hang). A program that answered every input and then
        failed (a leak report) adds "exit ..." after them."""
        verdicts = []
        while len(verdicts) < len(inputs):
            rest = inputs[len(verdicts):]
            answers = os.path.join(self.work, "answers")
            with open(answers, "w+", encoding="utf-8") as out:
                try:
                    result = subprocess.run(
                        [program, str(position)], input="".join(
                            " ".join(t.lower() for t in tokens) + "\n" for tokens in rest),
                        stdout=out, stderr=subprocess.PIPE, text=True, timeout=RUN_TIMEOUT)
                    status, stderr = result.returncode, result.stderr
                except subprocess.TimeoutExpired:
                    status, stderr = None, ""
                out.seek(0)
                verdicts += out.read().splitlines()[:len(rest)]
            if len(verdicts) == len(inputs) and status:
                verdicts.append("exit (status %d) %s" % (status, stderr[-2000:]))
            elif len(verdicts) < len(inputs):
                if status is None:
                    verdicts.append("hang")
                    return verdicts
                verdicts.append("crash (status %d) %s" % (status, stderr[-2000:]))
        return verdicts

    def check(self, program, position, grammar):
        bnf = Bnf(grammar)
        rng = random.Random(grammar.seed)
        inputs = inputs_for(grammar, bnf, rng)
        verdicts = self.parse(program, position, inputs)
        if len(verdicts) > len(inputs):
            self.faults.append(Fault(grammar, "the parser program failed at its end",
                                     verdicts.pop()))
        exact = not (grammar.warned or grammar.uses("predicate") or grammar.uses("greedy"))
        self.stats["exact"] += exact
        first = None
        for tokens, verdict in zip(inputs, verdicts):
            self.stats["inputs"] += 1
            expected = bnf.accepts(tokens)
            if self.wrong(verdict, expected, exact):
                self.stats["disagreements"] += 1
                first = first or (tokens, verdict)
        if first:
            tokens, verdict = self.reduce(program, position, bnf, exact, *first)
            kind = ("accepts a string outside the language" if verdict == "1" else
                    "rejects a sentence of the language" if verdict == "0" else
                    "hangs" if verdict == "hang" else "fails")
            self.faults.append(Fault(grammar, "the parser " + kind,
                                     verdict[1:].strip() if verdict[0] in "Xc" else "",
                                     tokens, verdict_text(bnf.accepts(tokens)),
                                     verdict_text(verdict == "1") if verdict in ("0", "1") else verdict.split()[0]))

    @staticmethod
    def wrong(verdict, expected, exact):
        if verdict == "1":
            return not expected
        if verdict == "0":
            return expected and exact
        return True

    def reduce(self, program, position, bnf, exact, tokens, verdict):
        """Deletes tokens from a failing input while it fails the same way."""
        if verdict == "hang":
            return tokens, verdict
        same = verdict if verdict in ("0", "1") else verdict[0]
        while tokens:
            shorter = [tokens[:i] + tokens[i + 1:] for i in range(len(tokens))]
            answers = self.parse(program, position, shorter)[:len(shorter)]
            for candidate, answer in zip(shorter, answers):
                if (answer if same in ("0", "1") else answer[0]) == same and \
                        self.wrong(answer, bnf.accepts(candidate), exact):
                    tokens, verdict = candidate, answer
                    break
            else:
                break
        return tokens, verdict

    def test(self, count, seed):
        rng = random.Random(seed)
        generator = Generator(rng)
        grammars = []
        for index in range(count):
            g = generator.grammar(index)
            # Most left-recursive grammars are drawn again; some stay to see them refused.
            while g.left_recursive() and rng.random() < 0.8:
                g = generator.grammar(index)
            g.seed = rng.randrange(1 << 30)
            grammars.append(g)
        self.test_grammars(grammars)

    def test_grammars(self, grammars):
        self.stats["grammars"] += len(grammars)
        sources = [(g, self.generate(g)) for g in grammars]
        sources = [(g, s) for g, s in sources if s]
        for g, _ in sources:
            self.stats["warned"] += g.warned
            self.stats["predicated"] += g.uses("predicate")
            self.stats["greedy"] += g.uses("greedy")
        with concurrent.futures.ThreadPoolExecutor(self.jobs) as pool:
            objects = list(pool.map(lambda gs: self.compile(*gs), sources))
        built = [(g, o) for (g, _), o in zip(sources, objects) if o]
        self.stats["compiled"] += len(built)
        if built:
            program = self.build([g for g, _ in built], [o for _, o in built])
            for position, (g, _) in enumerate(built):
                self.check(program, position, g)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--config", required=True, help="key=value file written by the build")
    parser.add_argument("--count", type=int, default=30, help="grammars to draw")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--work", default="differential", help="directory for the files made")
    parser.add_argument("--jobs", type=int, default=2, help="compilations at once")
    args = parser.parse_args()
    started = time.monotonic()
    shutil.rmtree(args.work, ignore_errors=True)
    os.makedirs(args.work)
    tester = Tester(Config(args.config), os.path.abspath(args.work), args.jobs)
    tester.test(args.count, args.seed)
    tester.faults.sort(key=lambda f: f.grammar.index)
    for fault in tester.faults[:REPORT_LIMIT]:
        print(fault.report() + "\n")
    if len(tester.faults) > REPORT_LIMIT:
        print("... and %d more faults\n" % (len(tester.faults) - REPORT_LIMIT))
    s = tester.stats
    print("seed %d: %d grammars, %d refused (%d left-recursive), %d accepted with left recursion, "
          "%d with ambiguity warnings, "
          "%d with predicates, %d with greedy options, %d compiled, %d checked exactly; "
          "%d inputs, %d disagreements; %d faults in %.0f s"
          % (args.seed, s["grammars"], s["refused"], s["left_recursive"], s["climbing"], s["warned"],
             s["predicated"], s["greedy"], s["compiled"], s["exact"], s["inputs"],
             s["disagreements"], len(tester.faults), time.monotonic() - started))
    kinds = collections.Counter(f.kind for f in tester.faults)
    for kind, n in sorted(kinds.items()):
        print("%5d %s" % (n, kind))
    return 1 if tester.faults else 0


if __name__ == "__main__":
    sys.exit(main())
