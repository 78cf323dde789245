# The two commands of the project:
#   make run    build and start the terminal against the interface-box simulator
#   make test   build and run the whole test suite
#   make package  build the Debian package into build/
.PHONY: run test build clean package

run:
	./scripts/run.sh

test:
	./scripts/test.sh

build:
	./scripts/install-deps.sh
	./scripts/build.sh

package:
	./scripts/package.sh

clean:
	rm -rf build
