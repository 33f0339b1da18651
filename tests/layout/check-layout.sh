#!/bin/sh
# Compares the virtual-table layout of the interfaces other libraries are compiled against
# with the checked-in expectation.
#
#   check-layout.sh OBJECT EXPECTATION           fails with a diff when they differ
#   check-layout.sh OBJECT EXPECTATION --print   prints the layout found (to update the file)
#
# OBJECT is PublishedInterfaces.cc compiled with full class debug information. Its DWARF
# (read with readelf) gives, for every class, its direct bases (virtual or not) and the
# vtable slot of every virtual function; c++filt turns the linkage names into signatures.
# Only the classes named in EXPECTATION are printed: each as a line "Class : bases", then
# one line per slot the class adds, "slot signature". A function that overrides one of a
# base is not listed; a root class's virtual destructor fills the two slots the
# functions leave free (the complete and the deleting destructor).
set -eu

object=$1
expectation=$2
mode=${3:-check}

# Class names wanted: the lines of the expectation that start a class block.
wanted=$(grep -v -e '^#' -e '^[[:space:]]' -e '^$' "$expectation" | sed 's/ : .*//')

layout=$(
  readelf --debug-dump=info "$object" | WANTED=$wanted awk '
    # DIE header: " <depth><offset>: Abbrev Number: n (DW_TAG_x)"
    /^ *<[0-9]+><[0-9a-f]+>: Abbrev Number/ {
      depth = substr($1, 2) + 0
      off = $1; sub(/^<[0-9]+></, "", off); sub(/>:$/, "", off)
      tag[off] = ($NF ~ /^\(DW_TAG_/) ? substr($NF, 2, length($NF) - 2) : ""
      parent[off] = (depth > 0) ? open[depth - 1] : ""
      open[depth] = off
      if (tag[off] == "DW_TAG_inheritance") bases[parent[off]] = bases[parent[off]] " " off
      if (tag[off] == "DW_TAG_subprogram") members[parent[off]] = members[parent[off]] " " off
      next
    }
    # Attribute: "    <offset>   DW_AT_x : value"
    $2 ~ /^DW_AT_/ {
      attr = $2; sub(/:$/, "", attr)
      value = $0; sub(/^[^:]*: /, "", value); sub(/^\(indirect (line )?string, offset: 0x[0-9a-f]+\): /, "", value)
      if (attr == "DW_AT_name") name[off] = value
      else if (attr == "DW_AT_linkage_name") linkage[off] = value
      else if (attr == "DW_AT_type") { sub(/^<0x/, "", value); sub(/>$/, "", value); type[off] = value }
      else if (attr == "DW_AT_declaration") declaration[off] = 1
      else if (attr == "DW_AT_virtuality") virtual[off] = 1
      else if (attr == "DW_AT_vtable_elem_location") { sub(/.*DW_OP_constu: /, "", value); sub(/\).*/, "", value); slot[off] = value }
      next
    }
    function qualified(o,    p) {
      p = parent[o]
      if (p != "" && (tag[p] == "DW_TAG_namespace" || tag[p] == "DW_TAG_class_type" || tag[p] == "DW_TAG_structure_type"))
        return qualified(p) "::" name[o]
      return name[o]
    }
    function resolve(o) {  # through typedefs and cv-qualifiers to the class
      while (tag[o] == "DW_TAG_typedef" || tag[o] == "DW_TAG_const_type" || tag[o] == "DW_TAG_volatile_type") o = type[o]
      return o
    }
    # Prints a class and, first, every class it derives from: "C<TAB>class<TAB>bases" and
    # "F<TAB>class<TAB>slot<TAB>linkage name" records for the second stage.
    function emit(c,    n, i, list, b, line, sep) {
      if (c in emitted) return
      emitted[c] = 1
      n = split(bases[c], list, " ")
      line = ""; sep = ""
      for (i = 1; i <= n; i++) {
        b = resolve(type[list[i]])
        emit(definition[qualified(b)] != "" ? definition[qualified(b)] : b)
        line = line sep (virtual[list[i]] ? "virtual " : "") qualified(b)
        sep = ", "
      }
      print "C\t" qualified(c) "\t" line
      n = split(members[c], list, " ")
      for (i = 1; i <= n; i++)
        if (virtual[list[i]]) print "F\t" qualified(c) "\t" (list[i] in slot ? slot[list[i]] : "-") "\t" linkage[list[i]]
    }
    END {
      for (o in tag)
        if ((tag[o] == "DW_TAG_class_type" || tag[o] == "DW_TAG_structure_type") && !(o in declaration))
          definition[qualified(o)] = o
      n = split(ENVIRON["WANTED"], names, "\n")
      for (i = 1; i <= n; i++) {
        if (definition[names[i]] == "") print "C\t" names[i] "\t(no definition in the object)"
        else emit(definition[names[i]])
      }
    }' |
    c++filt |
    # Shorter names for the standard types of the signatures.
    sed -e 's/std::__cxx11::basic_string<char, std::char_traits<char>, std::allocator<char> >/std::string/g' \
      -e 's/boost::intrusive_ptr</SP</g' -e 's/std::__exception_ptr::exception_ptr/std::exception_ptr/g' \
      -e 's/std::vector<\(SP<[^<>]*>\), std::allocator<SP<[^<>]*> > >/std::vector<\1>/g' -e 's/\[abi:cxx11\]//g' |
    WANTED=$wanted awk -F '\t' '
      BEGIN { n = split(ENVIRON["WANTED"], list, "\n"); for (i = 1; i <= n; i++) want[list[i]] = 1 }
      $1 == "C" {
        order[++classes] = $2; header[$2] = $3
        nb = split($3, bs, ", ")
        for (i = 1; i <= nb; i++) { b = bs[i]; sub(/^virtual /, "", b); ancestors[$2] = ancestors[$2] " " b ancestors[b] }
        next
      }
      $1 == "F" {
        c = $2; sig = $4
        # The signature without the class: "Name(arguments) qualifiers".
        sub("^" quote(c) "::", "", sig)
        if (sig ~ /^~/) { destructor[c] = sig; next }
        own[c] = own[c] SUBSEP sig; slotOf[c, sig] = $3
        next
      }
      function quote(s) { gsub(/[][\\.^$*+?(){}|]/, "\\\\&", s); return s }
      function inherited(c, sig,    n, list, i) {
        n = split(ancestors[c], list, " ")
        for (i = 1; i <= n; i++) if (index(own[list[i]] SUBSEP, SUBSEP sig SUBSEP)) return 1
        return 0
      }
      END {
        for (k = 1; k <= classes; k++) {
          c = order[k]
          if (!(c in want)) continue
          print c (header[c] != "" ? " : " header[c] : "")
          delete lines
          n = split(own[c], sigs, SUBSEP)
          for (i = 2; i <= n; i++) if (!inherited(c, sigs[i])) lines[slotOf[c, sigs[i]] + 0] = sigs[i]
          if (header[c] == "" && (c in destructor)) {  # a root: the destructor takes the two free slots
            for (s = 0; (s in lines); s++) {}
            lines[s] = destructor[c] " [complete]"
            for (s++; (s in lines); s++) {}
            lines[s] = destructor[c] " [deleting]"
          }
          for (s = 0; s < 1000; s++) if (s in lines) printf "  %d %s\n", s, lines[s]
        }
      }'
)

if [ "$mode" = "--print" ]; then
  printf '%s\n' "$layout"
  exit 0
fi
expected=$(grep -v -e '^#' -e '^[[:space:]]*$' "$expectation")
if [ "$expected" != "$layout" ]; then
  echo "The virtual-table layout of the published interfaces differs from $expectation:" >&2
  stripped=$(mktemp)
  printf '%s\n' "$expected" > "$stripped"
  printf '%s\n' "$layout" | diff -u --label expected --label found "$stripped" - >&2 || true
  rm -f "$stripped"
  exit 1
fi
echo "layout of $(printf '%s\n' "$wanted" | wc -l) classes as expected"
