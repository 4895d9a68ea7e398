"""The parts of tools/mutate.py: finding mutation sites in C++ sources,
choosing among them, and building and testing each mutant in a scratch
copy of the checkout."""
