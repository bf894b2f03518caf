; Enemies defined by records in ROM: five bytes each (hit points, speed, the
; address of its behaviour, its tile), indexed through a table of multiples
; of five. A dispatcher called with the state in A returns through the table
; of addresses - 1 that follows the call. Some branches are always taken, a
; routine may drop its caller's frame, and a soft reset jumps through the
; reset vector.

.segment "HEADER"
  .byte "NES", $1A, 2, 1, $00, $00
  .res 8, 0

ENEMIES = 6

.segment "ZEROPAGE"
vec:     .res 2
ptr:     .res 2
state:   .res 1
cur:     .res 1
frame:   .res 1
lives:   .res 1
pad:     .res 1
spawned: .res 1

.segment "BSS"
e_kind:  .res ENEMIES
e_hp:    .res ENEMIES
e_x:     .res ENEMIES
e_y:     .res ENEMIES

.segment "CODE"
reset:
  sei
  cld
  ldx #$FF
  txs
  inx
  stx $2000
  stx $2001
: bit $2002
  bpl :-
  txa
: sta $00,x
  sta $0200,x
  inx
  bne :-
  lda #3
  sta lives
main:
  ldx #$FF
  txs
: bit $2002
  bpl :-
  jsr read_pad
  jsr run_state
  inc frame
  jmp main

run_state:
  lda state
  jsr dispatch
  .word st_attract-1, st_spawn-1, st_run-1, st_dead-1

; Returns to the address - 1 at entry A of the table after the call.
dispatch:
  asl a
  tay
  iny
  pla
  sta ptr
  pla
  sta ptr+1
  lda (ptr),y
  tax
  iny
  lda (ptr),y
  pha
  txa
  pha
  rts

read_pad:
  ldx #1
  stx $4016
  dex
  stx $4016
  ldx #8
: lda $4016
  lsr a
  rol pad
  dex
  bne :-
  lda pad
  and #$30                  ; start and select together: soft reset
  cmp #$30
  bne :+
  jmp ($FFFC)
: rts

st_attract:
  lda pad
  beq @wait
  lda #1
  sta state
@wait:
  rts

st_spawn:
  ldx spawned
  cpx #ENEMIES
  bcs @all
  txa
  and #3
  sta e_kind,x
  tay
  lda times5,y
  tay
  lda defs,y               ; hit points
  sta e_hp,x
  txa
  asl a
  asl a
  asl a
  asl a
  asl a
  sta e_x,x
  lda #0
  sta e_y,x
  inc spawned
  rts
@all:
  lda #2
  sta state
  rts

st_run:
  ldx #ENEMIES-1
@each:
  lda e_hp,x
  beq @next
  stx cur
  jsr behave
  ldx cur
@next:
  dex
  bpl @each
  jsr check_hit
  rts

; Runs enemy X's behaviour from its record.
behave:
  ldy e_kind,x
  lda times5,y
  tay
  lda defs+2,y
  sta vec
  lda defs+3,y
  sta vec+1
  jmp (vec)

times5: .byte 0, 5, 10, 15

walker:
  lda e_x,x
  clc
  adc defs+1               ; the walker's speed
  sta e_x,x
  rts

faller:
  inc e_y,x
  lda e_y,x
  cmp #$E0
  bcc @ok
  lda #0
  sta e_hp,x
@ok:
  rts

hopper:
  lda frame
  and #$0F
  bne @done
  lda e_y,x
  eor #$08
  sta e_y,x
  clv
  bvc @done                ; always
  .byte $FF, $00, $FF, $00  ; the bytes the branch jumps over
@done:
  rts

sitter:
  dec e_hp,x
  bne :+
  jsr lose_life
: rts

; Drops its caller's frame when no lives are left: back to the state loop.
lose_life:
  dec lives
  bne @left
  pla
  pla
  lda #3
  sta state
@left:
  rts

check_hit:
  ldx #ENEMIES-1
@each:
  lda e_y,x
  cmp #$C0
  bne @next
  lda e_x,x
  cmp #$80
  beq @hit
  bne @next                ; either way: the bytes after are a table
@hit_tiles: .byte $21, $22, $23, $24
@hit:
  lda @hit_tiles
  sta $2007
  lda #0
  sta e_hp,x
@next:
  dex
  bpl @each
  rts

st_dead:
  lda pad
  beq :+
  lda #0
  sta state
  sta spawned
  lda #3
  sta lives
: rts

  .segment "FIXED"
nmi:
  inc frame
irq:
  rti

.segment "RODATA"
defs:
  ;     hp speed behaviour tile
  .byte 3, 2
  .addr walker
  .byte $40
  .byte 1, 1
  .addr faller
  .byte $41
  .byte 5, 0
  .addr hopper
  .byte $42
  .byte 9, 0
  .addr sitter
  .byte $43

.segment "VECTORS"
  .addr nmi, reset, irq
