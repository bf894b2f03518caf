; More of the same idioms written other ways: a parameter routine that
; returns through JMP (ind), a string printer that steps its pointer, a jump
; table indexed by Y, a split table dispatched by RTS, the BIT skip, code
; that only a table of handlers in data reaches, and data between routines.
.segment "HEADER"
  .byte "NES", $1A, 2, 1, $00, $00
  .res 8, 0

.segment "ZEROPAGE"
ptr:    .res 2
ret:    .res 2
mode:   .res 1
count:  .res 1

.segment "CODE"
reset:
  sei
  ldx #$FF
  txs
  jsr set_color
  .byte $0F, $21, $31
  jsr say
  .byte "READY!", 0
  ldy #2
  jsr by_y
  lda #1
  jsr rts_split
  jsr skip_demo
  jsr run_handlers
  jsr poke
  .byte $21
  jsr dispatch_mode
@forever:
  jmp @forever

; Three parameter bytes after the call; returns through JMP (ret).
set_color:
  pla
  sta ret
  pla
  sta ret+1
  ldy #1
  lda (ret), y
  sta $2007
  ldy #2
  lda (ret), y
  sta $2007
  ldy #3
  lda (ret), y
  sta $2007
  lda ret
  clc
  adc #4
  sta ret
  bcc :+
  inc ret+1
: jmp (ret)

; Prints the string after the call, stepping the pointer itself.
say:
  pla
  sta ptr
  pla
  sta ptr+1
@next:
  inc ptr
  bne :+
  inc ptr+1
: ldy #0
  lda (ptr), y
  beq @done
  sta $2007
  jmp @next
@done:
  lda ptr+1
  pha
  lda ptr
  pha
  rts

by_y:
  lda y_table, y
  sta ptr
  lda y_table+1, y
  sta ptr+1
  jmp (ptr)

y_one:
  inc count
  rts
y_two:
  dec count
  rts

rts_split:
  tax
  lda split_hi, x
  pha
  lda split_lo, x
  pha
  rts

split_one:
  lda #1
  .byte $2C          ; bit $xxxx: skips the next load
split_two:
  lda #2
  sta mode
  rts

skip_demo:
  ldx #0
  .byte $2C
  ldx #1
  stx count
  rts

; The handlers' addresses are read from a table through a pointer.
run_handlers:
  lda #<handlers
  sta ptr
  lda #>handlers
  sta ptr+1
  ldy #0
  lda (ptr), y
  sta ret
  iny
  lda (ptr), y
  sta ret+1
  jmp (ret)

handler_a:
  lda #$80
  sta $2000
  rts

sine:
  .byte 0, 49, 90, 117, 127, 117, 90, 49

handler_b:
  ldx #7
@l:
  lda sine, x
  sta $2005
  dex
  bpl @l
  rts

; Reads its one parameter byte through the stack, without pulling.
poke:
  tsx
  lda $0101, x
  sta ptr
  lda $0102, x
  sta ptr+1
  ldy #1
  lda (ptr), y
  sta $2007
  lda $0101, x
  clc
  adc #1
  sta $0101, x
  bcc :+
  inc $0102, x
: rts

dispatch_mode:
  lda mode
  jsr rts_engine
  .word mode_off-1, mode_on-1

; Returns to entry A of the table after the call, each entry its target - 1.
rts_engine:
  asl a
  tay
  pla
  sta ptr
  pla
  sta ptr+1
  iny
  iny
  lda (ptr), y
  pha
  dey
  lda (ptr), y
  pha
  rts

mode_off:
  lda #0
  sta $2001
  rts
mode_on:
  lda #$1E
  sta $2001
  rts

.segment "RODATA"
y_table:
  .addr y_one, y_one, y_two
split_lo:
  .byte <(split_one-1), <(split_two-1)
split_hi:
  .byte >(split_one-1), >(split_two-1)
handlers:
  .addr handler_a, handler_b
message:
  .byte "GAME OVER", $0D, "TRY AGAIN", 0
  .res 300, $EA
  .byte 1, 2, 4, 8, 16, 32, 64, 128

.segment "FIXED"
nmi:
  rti

.segment "VECTORS"
  .addr nmi, reset, nmi
