# The two commands of the README.
.PHONY: run test

run:
	scripts/setup
	cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build build -j2 --target borvik
	build/borvik examples/b-1.csv

test:
	scripts/setup
	scripts/test
