#!/usr/bin/env python3
"""Tests of tools/mutate.py's site finder, mutators, sampling and
equivalents file, on small made-up sources."""

import os
import signal
import subprocess
import sys
import tempfile
import textwrap
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

from mutation import equivalents, mutants as mutant_files, processes, sampling, testing  # noqa: E402
from mutation.lexer import LITERAL, tokenize  # noqa: E402
from mutation.scratch import Scratch  # noqa: E402
from mutation.sites import find_sites  # noqa: E402


def sites_of(source):
    return find_sites("src/x.cpp", textwrap.dedent(source))


def labels(source):
    return [site.label for site in sites_of(source)]


def mutants(source):
    """Each mutant's text by its line and label."""
    text = textwrap.dedent(source)
    return {(s.line, s.label): s.apply(text) for s in find_sites("src/x.cpp", text)}


class LexerTest(unittest.TestCase):
    def test_comments_and_directives_are_no_tokens(self):
        source = '#include <a>\n#define X(a) \\\n  a < 1\n// b < 2\n/* c\n < 3 */ d'
        self.assertEqual([t.text for t in tokenize(source)], ["d"])

    def test_literals_are_whole_tokens(self):
        source = 'f("a < b", \'<\', u8"x", R"x(y)" < z)x", 1\'000)'
        tokens = tokenize(source)
        literals = [t.text for t in tokens if t.kind == LITERAL]
        self.assertEqual(literals, ['"a < b"', "'<'", 'u8"x"', 'R"x(y)" < z)x"'])
        self.assertIn("1'000", [t.text for t in tokens])

    def test_static_assert_is_frozen(self):
        tokens = tokenize("static_assert(a < 2); b;")
        self.assertTrue(all(t.frozen for t in tokens[:6]))
        self.assertFalse(tokens[-2].frozen)

    def test_lines(self):
        tokens = tokenize("a\n/* x\n y */ b\n\"s\" c")
        self.assertEqual([t.line for t in tokens], [1, 3, 4, 4])


class OperatorTest(unittest.TestCase):
    def test_comparisons(self):
        self.assertEqual(labels("bool f() { return a < b; }"), ["< -> <=", "< -> >"])
        self.assertEqual(labels("bool f() { return a >= b; }"), [">= -> <=", ">= -> >"])
        self.assertEqual(labels("bool f() { return a == b; }"), ["== -> !="])

    def test_arithmetic_and_logic(self):
        self.assertEqual(
            labels("int f() { return a * b % c - d; }"), ["* -> /", "% -> *", "- -> +"]
        )
        self.assertEqual(labels("bool f() { return a && b; }"), ["&& -> ||"])
        self.assertEqual(mutants("void f() { x += y; }")[1, "+= -> -="], "void f() { x -= y; }")

    def test_templates_pointers_and_unary_operators_are_left_alone(self):
        source = """
            template <typename T>
            std::vector<int> f(const char* p, T&& t) { return -g<int>(*p); }
        """
        self.assertEqual(labels(source), [])

    def test_no_minus_for_joined_text(self):
        self.assertEqual(labels('std::string f() { return a + "b"; }'), [])

    def test_nothing_inside_literals_comments_and_static_assert(self):
        source = """
            // a < b
            static_assert(sizeof(int) < 8);
            const char* t = "a < b";
        """
        self.assertEqual(labels(source), [])

    def test_the_same_mutation_twice_on_a_line_is_numbered(self):
        self.assertEqual(
            labels("bool f() { return a == b || c == d; }"), ["== -> !=", "|| -> &&", "== -> != #2"]
        )


class ConstantTest(unittest.TestCase):
    def test_plus_and_minus_one_keep_base_and_suffix(self):
        self.assertEqual(labels("int a = 10;"), ["10 -> 11", "10 -> 9"])
        self.assertEqual(labels("auto a = 0xff;"), ["0xff -> 0x100", "0xff -> 0xfe"])
        self.assertEqual(labels("auto a = 0x0F;"), ["0x0F -> 0x0E", "0x0F -> 0x10"])
        self.assertEqual(labels("auto a = 7u;"), ["7u -> 6u", "7u -> 8u"])
        self.assertEqual(labels("auto a = 1'000;"), ["1'000 -> 1001", "1'000 -> 999"])

    def test_zero_only_goes_up_and_floats_stay(self):
        self.assertEqual(labels("int a = 0; double b = 1.5; double c = 2e3;"), ["0 -> 1"])

    def test_a_pure_specifier_stays(self):
        source = "struct S {\n  virtual int f(int a) const = 0;\n  int b = 0;\n};\n"
        self.assertEqual([(s.line, s.label) for s in sites_of(source)], [(3, "0 -> 1")])


class ConditionTest(unittest.TestCase):
    def test_if_and_while_are_negated(self):
        text = mutants("void f() { if (a) g(); while (b < c) h(); }")
        self.assertEqual(
            text[1, "negate if condition"], "void f() { if (!(a)) g(); while (b < c) h(); }"
        )
        self.assertEqual(
            text[1, "negate while condition"], "void f() { if (a) g(); while (!(b < c)) h(); }"
        )

    def test_only_the_condition_after_an_init_statement(self):
        text = mutants("void f() { if (int n = g(); n > 0) h(); }")
        self.assertEqual(
            text[1, "negate if condition"], "void f() { if (int n = g(); !(n > 0)) h(); }"
        )

    def test_a_declaration_is_not_negated(self):
        self.assertNotIn("negate if condition", labels("void f() { if (auto* p = g()) h(); }"))


class StatementTest(unittest.TestCase):
    def test_calls_and_assignments_are_dropped_with_their_line(self):
        text = mutants("void f() {\n  g(x);\n  a.b = 1;\n}\n")
        self.assertEqual(text[2, "drop statement"], "void f() {\n  a.b = 1;\n}\n")
        self.assertEqual(text[3, "drop statement"], "void f() {\n  g(x);\n}\n")

    def test_an_unbraced_body_becomes_empty(self):
        text = mutants("void f() {\n  if (a) return;\n  for (;;) i++;\n}\n")
        self.assertEqual(
            text[2, "drop statement"], "void f() {\n  if (a) {}\n  for (;;) i++;\n}\n"
        )
        self.assertEqual(
            text[3, "drop statement"], "void f() {\n  if (a) return;\n  for (;;) {}\n}\n"
        )

    def test_declarations_returns_of_values_and_class_members_stay(self):
        source = """
            struct S {
              S(int x);
              int y = 3;
            };
            int f() {
              int a = g(1);
              std::vector<int> v(3);
              Foo* p = nullptr;
              return a;
            }
        """
        self.assertNotIn("drop statement", labels(source))

    def test_statements_of_a_lambda_body(self):
        self.assertIn("drop statement", labels("auto f = [](int x) { g(x); };"))

    def test_case_labels(self):
        text = mutants("void f() { switch (a) { case 1: g(); break; } }")
        self.assertEqual(text[1, "drop statement"], "void f() { switch (a) { case 1:  break; } }")


class SamplingTest(unittest.TestCase):
    compiled = {"src/a/x.cpp", "src/a/y.h", "src/ab/z.cpp", "src/b.cpp"}

    def test_files_of_a_folder_or_a_file(self):
        self.assertEqual(sampling.files_of("src/a", self.compiled), ["src/a/x.cpp", "src/a/y.h"])
        self.assertEqual(sampling.files_of("src/b.cpp", self.compiled), ["src/b.cpp"])
        self.assertEqual(sampling.files_of("src/c", self.compiled), [])

    def test_the_same_seed_gives_the_same_order(self):
        sources = {"x.cpp": "int f() { return a < b + 1; }", "y.cpp": "void g() { h(); }"}
        first = sampling.candidates(sorted(sources), sources.get, seed=1)
        again = sampling.candidates(sorted(sources), sources.get, seed=1)
        other = sampling.candidates(sorted(sources), sources.get, seed=2)
        self.assertEqual(first, again)
        self.assertEqual(sorted(map(repr, first)), sorted(map(repr, other)))
        self.assertNotEqual(first, other)


class EquivalentsTest(unittest.TestCase):
    def test_a_record_matches_its_site(self):
        text = """
            # known equivalent mutants
            file: src/x.cpp
            line: if (a < b) return;
            mutation: < -> <=
            reason: a never equals b here
        """
        with tempfile.TemporaryDirectory() as directory:
            path = Path(directory) / "equivalent.txt"
            path.write_text(textwrap.dedent(text))
            records = equivalents.load(path)
        sites = sites_of("void f() {\n  if (a < b) return;\n}\n")
        matched = [(s.label, equivalents.find(records, s).reason) for s in sites
                   if equivalents.find(records, s)]
        self.assertEqual(matched, [("< -> <=", "a never equals b here")])

    def test_a_record_without_reason_is_refused(self):
        with tempfile.TemporaryDirectory() as directory:
            path = Path(directory) / "equivalent.txt"
            path.write_text("file: a\nline: b\nmutation: c\n")
            with self.assertRaises(equivalents.EquivalentsError):
                equivalents.load(path)


class DiffTest(unittest.TestCase):
    def test_unified_diff_of_the_mutant(self):
        source = "int f() {\n  return a < b;\n}\n"
        site = find_sites("src/x.cpp", source)[0]
        self.assertEqual(
            site.diff(source),
            "--- a/src/x.cpp\n+++ b/src/x.cpp\n@@ -1,3 +1,3 @@\n int f() {\n"
            "-  return a < b;\n+  return a <= b;\n }\n",
        )


class ScratchTest(unittest.TestCase):
    def test_sync_makes_the_copy_equal_to_the_checkout(self):
        with tempfile.TemporaryDirectory() as directory:
            checkout = Path(directory) / "checkout"
            (checkout / "src").mkdir(parents=True)
            (checkout / ".gitignore").write_text("/build*/\nignored.txt\n")
            (checkout / "src" / "a.cpp").write_text("int a = 1;\n")
            subprocess.run(["git", "init", "-q", str(checkout)], check=True)
            subprocess.run(["git", "-C", str(checkout), "add", "."], check=True)
            (checkout / "src" / "new_test.cpp").write_text("int b = 2;\n")
            (checkout / "ignored.txt").write_text("no\n")
            scratch = Scratch(checkout, checkout / "build-mutate")
            scratch.sync()
            copied = scratch.path_of("src/a.cpp")
            copied.write_text("int a = 2;\n")  # a mutant left by a killed run
            (scratch.source / "stray.cpp").write_text("")
            scratch.sync()
            files = sorted(
                p.relative_to(scratch.source).as_posix()
                for p in scratch.source.rglob("*")
                if p.is_file()
            )
            self.assertEqual(files, [".gitignore", "src/a.cpp", "src/new_test.cpp"])
            self.assertEqual(copied.read_text(), "int a = 1;\n")


class RevertTest(unittest.TestCase):
    """The mutated file holds its original bytes again however the block
    holding the mutant ends: normally, by an error, or by a stop signal."""

    ORIGINAL = "int f() {\n  return a < b;  // \udcff\n}\n"

    def _ended_by(self, action):
        with tempfile.TemporaryDirectory() as directory:
            path = Path(directory) / "x.cpp"
            mutant_files.write_source(path, self.ORIGINAL)
            site = find_sites("src/x.cpp", self.ORIGINAL)[0]
            try:
                with mutant_files.mutated(path, site):
                    self.assertIn("a <= b", mutant_files.read_source(path))
                    action()
            except (RuntimeError, processes.Stopped, KeyboardInterrupt):
                pass
            return path.read_bytes()

    def test_the_original_bytes_come_back(self):
        def raise_error():
            raise RuntimeError("a build that cannot start")

        def send_stop():
            os.kill(os.getpid(), signal.SIGTERM)

        previous = {n: signal.getsignal(n) for n in processes.STOP_SIGNALS}
        processes.stop_on_signals()
        try:
            for action in (lambda: None, raise_error, send_stop):
                restored = self._ended_by(action)
                self.assertEqual(restored, b"int f() {\n  return a < b;  // \xff\n}\n")
        finally:
            for number, handler in previous.items():
                signal.signal(number, handler)


class TestPhasesTest(unittest.TestCase):
    def test_quick_suites_run_first(self):
        phases = testing._phases({"Fast": 0.1, "Slow": 5.0, "Param/Suite": 2.0, "a+b": 1.0})
        self.assertEqual(phases, [r"^(Param/Suite|Slow|a\+b)(\.|$)", r"^(Fast)(\.|$)"])
        self.assertEqual(testing._phases({"Fast": 0.1}), [None])


if __name__ == "__main__":
    unittest.main()
