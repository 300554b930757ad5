# Sourced by scripts/build, scripts/test and scripts/demo (not run on its own): the one place for
# how a build folder is configured and compiled and how the Windows product is collected.
# Sets root to the repository and enters it.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
mkdir -p build

# The Windows build: the cross toolchain, and where the host authors' package goes.
windows_args=(-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DORVO_PACKAGE_DIR="$root/build/package")

# configure <dir> <cmake args...>: warnings are errors; CMake's output goes to <dir>.configure.log
# and is shown only when it fails.
configure() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVO_WERROR=ON "$@" >"$dir.configure.log" 2>&1 \
    || { cat "$dir.configure.log"; return 1; }
}

# compile <dir> [target...]: every target, or the ones named; shows what the compilers say
# without Ninja's progress lines and fails as the build does.
compile() {
  local dir=$1
  shift
  local targets=()
  [ $# -eq 0 ] || targets=(--target "$@")
  (set -o pipefail; cmake --build "$dir" -j "$(nproc)" "${targets[@]}" 2>&1 | { grep -v '^\[' || true; })
}

# collect_product: from a compiled build/windows, dist/ (the stripped module alone; its debug
# information stays in build/windows/symbols/) and the host authors' zip in build/package/,
# whose path it leaves in $package.
collect_product() {
  rm -rf dist && cp -r build/windows/dist dist
  echo "dist/: $(ls dist | tr '\n' ' ')($(du -sk dist | cut -f1) KB)"
  cmake --build build/windows --target orvo_package >build/package.log 2>&1 || { cat build/package.log; return 1; }
  package=$(sed -n 's/^-- package: //p' build/package.log)
  echo "package: $package"
}
