# Bash completion for vimbo-cli: commands, report and export kinds, options,
# option values, and file names by the extension each place expects; "-"
# (standard input or output) where a data file goes.
# Works with the bash-completion package and without it.

# Adds the files ending in one of the extensions (any case) and the folders.
_vimbo_cli_files() {
  local cur=$1 ext pattern char i
  shift
  compopt -o filenames 2>/dev/null
  local IFS=$'\n'
  COMPREPLY+=($(compgen -d -- "$cur"))
  for ext in "$@"; do
    pattern=
    for ((i = 0; i < ${#ext}; i++)); do
      char=${ext:i:1}
      pattern+="[${char,}${char^}]"
    done
    COMPREPLY+=($(compgen -f -X "!*.$pattern" -- "$cur"))
  done
}

# Completes the comma list being typed from the words given, each at most
# once.
_vimbo_cli_list() {
  local cur=$1 head= word left=()
  shift
  [[ $cur == *,* ]] && head=${cur%,*},
  for word in "$@"; do
    [[ ",$head" == *",$word,"* ]] || left+=("$word")
  done
  local IFS=$'\n'
  COMPREPLY=($(compgen -P "$head" -W "${left[*]}" -- "${cur##*,}"))
  compopt -o nospace 2>/dev/null
}

# The options of a command line, and whether each takes a value.
_vimbo_cli_options() {
  case $1 in
    export)
      if [[ $2 == vcard ]]; then echo "--persons --version"
      elif [[ $2 == persons ]]; then echo "--fields --separator --encloser --layout"
      else echo "--fields --separator --encloser --iso-dates"; fi ;;
    import) echo "--columns --separator --encloser --first-line-names --format --force" ;;
    new | resave) echo "--force" ;;
    report)
      if [[ $2 == activity ]]; then echo "--persons --from --to --margins --font --size --paper"
      else echo "--persons --from --to --recipient --return --margins --font --size --paper"; fi ;;
    merge) echo "--prefer --force" ;;
    due) echo "--today --days" ;;
  esac
}

_vimbo_cli() {
  local cur prev words cword
  if declare -F _init_completion >/dev/null 2>&1; then
    _init_completion || return
  else
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD - 1]}
    words=("${COMP_WORDS[@]}")
    cword=$COMP_CWORD
  fi
  COMPREPLY=()

  local commands="new resave info export import report find merge due help"
  if ((cword == 1)); then
    COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
    return
  fi
  local command=${words[1]}
  if [[ $command == help || $command == --help ]]; then
    ((cword == 2)) && COMPREPLY=($(compgen -W "${commands% help}" -- "$cur"))
    return
  fi
  # A command's own usage, asked for right after it.
  if ((cword == 2)) && [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "--help" -- "$cur"))
    return
  fi

  # The value of the option just typed.
  local persons="FirstName LastName Address City State ZipCode Phone Fax E-Mail Company Position
    Title WorkPhone Extension CelPhone Pager WebPage"
  case $prev in
    --separator | --encloser)
      COMPREPLY=($(compgen -W "comma semicolon pipe space tab double-quote single-quote none" -- "$cur"))
      return ;;
    --format) COMPREPLY=($(compgen -W "csv vcard" -- "$cur")); return ;;
    --paper) COMPREPLY=($(compgen -W "letter a4" -- "$cur")); return ;;
    --version) COMPREPLY=($(compgen -W "3.0 4.0" -- "$cur")); return ;;
    --persons) COMPREPLY=($(compgen -W "all" -- "$cur")); return ;;
    --layout) COMPREPLY=($(compgen -W "vimbo google outlook" -- "$cur")); return ;;
    --prefer) COMPREPLY=($(compgen -W "ours theirs" -- "$cur")); return ;;
    --recipient | --return) _vimbo_cli_list "$cur" title company position; return ;;
    --columns)
      [[ $cur != *,* ]] && COMPREPLY=($(compgen -W "auto" -- "$cur"))
      [[ $cur == auto ]] && return
      local keep=("${COMPREPLY[@]}")
      _vimbo_cli_list "$cur" $persons
      COMPREPLY+=("${keep[@]}")
      return ;;
    --fields)
      if [[ ${words[2]} == contacts ]]; then
        _vimbo_cli_list "$cur" FirstName LastName Date Time Description ContactType
      else
        _vimbo_cli_list "$cur" $persons
      fi
      return ;;
    --from | --to | --margins | --font | --size | --today | --days) return ;;
  esac

  # The place of this word among the words that are neither options nor
  # option values.
  local i position=0
  for ((i = 2; i < cword; i++)); do
    case ${words[i]} in
      --iso-dates | --first-line-names) ;;
      --*) ((i++)) ;;
      *) ((position++)) ;;
    esac
  done

  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "$(_vimbo_cli_options "$command" "${words[2]}")" -- "$cur"))
    case $command:$position in
      import:1 | export:2) [[ $cur == - ]] && COMPREPLY+=(-) ;;
    esac
    return
  fi

  case $command:$position in
    new:0 | resave:[01] | info:0 | find:0 | import:[02] | merge:[0-3] | due:0) _vimbo_cli_files "$cur" tch ;;
    export:0) COMPREPLY=($(compgen -W "persons contacts vcard ics" -- "$cur")) ;;
    report:0) COMPREPLY=($(compgen -W "addressbook contacts envelopes activity" -- "$cur")) ;;
    export:1 | report:1) _vimbo_cli_files "$cur" tch ;;
    export:2)
      if [[ ${words[2]} == vcard ]]; then _vimbo_cli_files "$cur" vcf
      elif [[ ${words[2]} == ics ]]; then _vimbo_cli_files "$cur" ics
      else _vimbo_cli_files "$cur" txt csv; fi ;;
    import:1) _vimbo_cli_files "$cur" txt csv vcf ;;
    report:2) _vimbo_cli_files "$cur" pdf ;;
  esac
}
complete -F _vimbo_cli vimbo-cli
