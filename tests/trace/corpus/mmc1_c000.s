; MMC1 with its first bank fixed at 8000 and the level banks switched in at
; C000. Each level bank begins with three JMPs the fixed bank calls (start,
; step, draw) and ends with the stub that sets the mode on reset and the
; vectors, since any of them may be at C000 when the console starts.
.segment "HEADER"
  .byte "NES", $1A, 4, 0, $10, $00
  .res 8, 0

.segment "ZEROPAGE"
frame:  .res 1
level:  .res 1
ptr:    .res 2
pos:    .res 1

LEVEL_START = $C000
LEVEL_STEP  = $C003
LEVEL_DRAW  = $C006

.segment "FIXEDCODE"
main:
  lda #1
  sta level
  jsr select_level
  jsr LEVEL_START
  lda #$80
  sta $2000
@loop:
  lda frame
@wait:
  cmp frame
  beq @wait
  jsr LEVEL_STEP
  jsr LEVEL_DRAW
  lda $4016
  and #$10
  beq @loop
  ldx level
  inx
  cpx #4
  bcc @next
  ldx #1
@next:
  stx level
  txa
  jsr select_level
  jsr LEVEL_START
  jmp @loop

; Switches the bank in A in at C000: five writes, low bit first.
select_level:
  ldx #5
@bit:
  sta $E000
  lsr a
  dex
  bne @bit
  rts

; Sets the control register from A.
set_mode:
  ldx #5
@bit:
  sta $8000
  lsr a
  dex
  bne @bit
  rts

nmi:
  inc frame
  rti

; Copies the level's zero-ended map at ptr to the screen.
copy_map:
  ldy #0
@next:
  lda (ptr),y
  beq @done
  sta $2007
  iny
  bne @next
@done:
  rts

.segment "FIXEDDATA"
palette:
  .byte $0F, $10, $20, $30

.macro level_bank n
.segment .sprintf("BANK%dCODE", n)
  jmp start
  jmp step
  jmp draw
start:
  lda #<map
  sta ptr
  lda #>map
  sta ptr+1
  lda #n
  sta pos
  rts
step:
  inc pos
  lda pos
  cmp #(n * 40)
  bcc @ok
  lda #0
  sta pos
@ok:
  rts
draw:
  lda pos
  sta $2005
  jmp copy_map
.segment .sprintf("BANK%dDATA", n)
map:
  .repeat 8, i
    .byte n + i + 1
  .endrepeat
  .byte 0
.segment .sprintf("STUB%dCODE", n)
stub_reset:
  sei
  ldx #$FF
  txs
  lda #$80
  sta $8000
  lda #$08
  jsr set_mode
  jmp main
stub_nmi:
  jmp nmi
stub_irq:
  rti
.segment .sprintf("VECTORS%d", n)
  .addr stub_nmi, stub_reset, stub_irq
.endmacro

.scope bank1
  level_bank 1
.endscope
.scope bank2
  level_bank 2
.endscope
.scope bank3
  level_bank 3
.endscope
