# The two commands of the project:
#   make run    build and start the terminal against the interface-box simulator
#   make test   build and run the whole test suite
.PHONY: run test build clean

run:
	./scripts/run.sh

test:
	./scripts/test.sh

build:
	./scripts/install-deps.sh
	./scripts/build.sh

clean:
	rm -rf build
